#pragma once

#include <QDialog>

#include <string>

class QAction;
class QPlainTextEdit;

namespace sarw {

class Session;

// The text window for definition files and the initialisation file: shows a file as plain text,
// read-only until "Povolit"; saving keeps the file's attributes; a changed text is offered for
// saving when the window closes.
class TTextEdit : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "   Zobrazeni/Editace textoveho souboru (Rtf/Txt)";

    explicit TTextEdit(Session& s, QWidget* parent = nullptr);

    // Loads the file (a missing one is created empty); false when nothing could be shown.
    bool openFile(const std::string& name);
    // openFile, then the window modally.
    void editFile(const std::string& name);

    QPlainTextEdit* text() const { return text_; }
    bool save();
    void allowEditing(bool allow);
    bool modified() const;

    void done(int result) override;

private:
    Session& s_;
    QPlainTextEdit* text_;
    QAction* save_;
    QAction* allow_;
    QAction* forbid_;
    std::string name_;
};

} // namespace sarw
