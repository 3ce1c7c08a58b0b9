#pragma once

#include <QDialog>
#include <QFont>

#include <memory>
#include <string>

class QFormLayout;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace sarw {

class Session;
class TTextEdit;

// The output viewer: a report file shown and edited in the text file editor, printed whole, by a
// page range or through a column mask, handed to the word processor or to the maker's programs.
// Its choices live in Session::vyst.
class TVyst : public QDialog {
    Q_OBJECT
public:
    TVyst(Session& s, QWidget* parent = nullptr);
    ~TVyst() override;

    // Sets the report up for this showing (the whole report to print, no mask).
    void open(const std::string& reportFile);

    QPrinter& printer() { return *printer_; }
    TTextEdit& editor() { return *editor_; }
    QLineEdit* field(const char* name) const;
    QPushButton* button(const char* name) const;

    // The actions, as their buttons run them.
    void show_();
    void applyMaskField();
    void dropMaskCopy();
    // Graphic and text printing; false when nothing was printed.
    bool printGraphic();
    bool printText();
    void toWord();
    // "Grafika": the report's pages as pictures.
    void toPictures();

    void done(int result) override;

private:
    QLineEdit* addField(const char* name, QFormLayout* form, const char* label);
    QPushButton* addButton(const char* name, const char* caption, const char* hint);
    void startOwnProgram(const char* program);
    bool takeFields(int pages);
    void showFields();
    bool print(bool graphic);
    void chooseFont();
    void choosePrinter();

    Session& s_;
    std::unique_ptr<QPrinter> printer_;
    TTextEdit* editor_;
    QFont printFont_;
};

} // namespace sarw
