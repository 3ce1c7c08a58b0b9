#pragma once

#include "output/PagePictures.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <set>
#include <string>

class QFileSystemWatcher;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace sarw {

class PageSource;
class Session;

// The shared image viewer of the page pictures: generating them one page at a time into PNG
// files, page navigation, the range fields, printing scaled to the printer page, retouching a
// page in the desktop's image editor and a PDF of a page range. The windows of the text report
// (TTxIma) and of the framed table report (TIma) make the pages.
class TPageViewer : public QDialog {
    Q_OBJECT
public:
    ~TPageViewer() override;

    QPushButton* button(const char* name) const;
    QLineEdit* field(const char* name) const;
    // What is shown: the picture and its page.
    const QImage& shownPicture() const { return shown_; }
    int currentPage() const { return current_; }
    int pageCount() const { return pages_; }
    int commonHeight() const { return commonHeight_; }
    std::string pictureFile(int page) const;

    // The actions, as their buttons run them.
    void generate();
    void showPage(int page);
    void first() { showPage(1); }
    void previous();
    void next();
    void last();
    void showStr1();
    void editPage();
    bool printCurrent();
    bool printRange();
    // Asks for the file, then writePdf.
    void exportPdf();
    // The PDF of the range in the fields; false after the message why not.
    bool writePdf(const std::string& target);
    // The page's picture changed on disk (by the image editor): it goes into the PDF as it is.
    void pictureChanged(int page);

protected:
    TPageViewer(Session& s, const char* caption, const char* prefix, std::string report,
                QWidget* parent);
    // The pages of the report as they are to be drawn now; null when they cannot be.
    virtual std::unique_ptr<PageSource> makeSource() = 0;
    // "Sestava je prazdna !" for an empty text report; the framed one does not check.
    virtual bool refuseEmpty() const { return false; }
    // A button on the panel, at the end or at a position of the panel.
    QPushButton* addButton(const char* name, const char* caption, const char* hint, int at = -1);
    QHBoxLayout* panel() const { return panel_; }
    Session& session() { return s_; }
    const std::string& report() const { return report_; }
    bool landscape() const;
    // Pictures are being drawn (not a PDF).
    bool generating() const { return generating_; }

    void keyPressEvent(QKeyEvent* e) override;
    void done(int result) override;

private:
    void buildPanel();
    QLineEdit* addField(const char* name, const char* label, const char* text);
    // The current page, or the range of the fields; each page a print job of its own.
    bool print(bool range);
    // The range fields read and checked as on leaving them; false when out of range.
    bool takeRange(bool (*check)(Session&, PageRangeFields&, int));
    void deletePictures();
    void readScale();

    Session& s_;
    std::string prefix_;
    std::string report_;
    QHBoxLayout* panel_;
    QScrollArea* area_;
    QLabel* picture_;
    QProgressBar* progress_;
    QFileSystemWatcher* watcher_;
    std::unique_ptr<QPrinter> printer_;
    QImage shown_;
    PageRangeFields range_;
    double scale_ = 1.0;
    int pages_ = 0;
    int current_ = 0;
    int width_ = 0;
    int commonHeight_ = 0;
    bool cancel_ = false;
    bool generating_ = false;
    std::set<int> retouched_;
};

} // namespace sarw
