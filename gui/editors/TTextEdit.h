#pragma once

#include <QDialog>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;

namespace sarw {

class Session;
class TFind;

// The text file editor: shows or edits a plain Windows-1250 text file in a fixed-pitch font,
// searches it, prints it, hands it to the word processor. A changed text is offered for saving
// before it is left; saving replaces the file atomically and keeps its attributes.
class TTextEdit : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "   Zobrazeni/Editace ASCII textoveho souboru ";
    static constexpr const char* kNoName = "Ne-Jmeno";

    explicit TTextEdit(Session& s, QWidget* parent = nullptr);
    ~TTextEdit() override;

    // Loads the file, read-only unless editable (a missing one shows an empty text and is made
    // only by saving); false when nothing could be shown.
    bool openFile(const std::string& name, bool editable = false);
    // openFile, then the window modally.
    void editFile(const std::string& name, bool editable = false);

    QPlainTextEdit* text() const { return text_; }
    QLabel* status() const { return status_; }
    QPrinter& printer() { return *printer_; }
    const std::string& fileName() const { return name_; }
    bool save();
    void allowEditing(bool allow);
    bool modified() const;
    // "Hledat" with the text and start given: selects the hit, or says it was not found.
    bool find(const QString& needle, bool fromStart);
    // "Tisk souboru" without the print dialog, on the printer as it is set.
    bool printText();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenu(QMenuBar* menu);
    // Offers a changed text for saving; false when it should stay (saving failed).
    bool offerSave();
    void openOther();
    void saveAs();
    void closeText();
    void search();
    void printWithDialog();
    void printWindow();
    void chooseFont();
    void toWord();
    void showStatus();
    void showName();
    // The keys made of two strokes (Ctrl+Q Ctrl+Y, Ctrl+K Ctrl+B, Ctrl+K Ctrl+K) and Ctrl+Y.
    bool editingKey(int key, bool ctrl);

    Session& s_;
    QPlainTextEdit* text_;
    QLabel* status_;
    QAction* open_;
    QAction* save_;
    QAction* close_;
    QAction* allow_;
    QAction* forbid_;
    std::unique_ptr<QPrinter> printer_;
    TFind* find_;
    std::string name_; // empty: the unnamed text
    bool editable_ = false;
    int prefix_ = 0;     // the first stroke of a two-stroke key, or 0
    int blockStart_ = 0; // the block start mark
};

} // namespace sarw
