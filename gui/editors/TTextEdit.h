#pragma once

#include "editors/CaretMoves.h"
#include "editors/EditorKeys.h"
#include "editors/TextEditParams.h"

#include <QDialog>

#include <memory>
#include <string>

class QAction;
class QKeyEvent;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;

namespace sarw {

class Session;
class TFind;
class TextPanes;
struct OtherFormat;

// The text file editor: shows or edits a plain Windows-1250 text file in a fixed-pitch font,
// searches it, prints it, hands it to the word processor or saves it in other formats. A changed
// text is offered for saving before it is left; saving replaces the file atomically and keeps its
// attributes. The caller sets params() before showing and reads caret() after it closed; the
// parameters go back to their defaults at every close.
class TTextEdit : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "   Zobrazeni/Editace ASCII textoveho souboru ";
    static constexpr const char* kNoName = "Ne-Jmeno";

    explicit TTextEdit(Session& s, QWidget* parent = nullptr);
    ~TTextEdit() override;

    TextEditParams& params() { return params_; }
    // Shows the text as params() say: the file (a missing one shows an empty text and is made
    // only by saving), read-only unless editable, the caret at the fixed column of line 1;
    // false when nothing could be shown.
    bool showText();
    // showText(), then the window modally; the caret at closing.
    TextCaret run();
    // The file and the editable switch set in params(), then showText() or run().
    bool openFile(const std::string& name, bool editable = false);
    void editFile(const std::string& name, bool editable = false);
    // Where the caret stood when the window last closed.
    TextCaret caret() const { return caret_; }

    QPlainTextEdit* text() const { return text_; }
    TextPanes& panes() { return *panes_; }
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
    // "Ulozit do jinych formatu" without the save dialog: the text as that format under the
    // name; false (after a message) when it was not written.
    bool saveInFormat(const OtherFormat& format, const std::string& target);
    void switchMode();
    // "Zalomeni textu" and F2.
    void switchWrap(bool on);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenu(QMenuBar* menu);
    void buildEditMenu(QMenuBar* menu);
    // Loads a file, or the unnamed text, with the switches of params().
    bool load(const std::string& name, bool editable);
    // Offers a changed text for saving; false when it should stay (saving failed).
    bool offerSave();
    void openOther();
    // The open or save dialog with the filter and the default extension; empty when cancelled.
    QString chooseFile(bool saving, const std::string& filter, const QString& proposed);
    void saveAs();
    void saveOtherFormat(const OtherFormat& format);
    void closeText();
    void setReadOnly(bool readOnly);
    void search();
    void printWithDialog();
    void printWindow();
    void chooseFont();
    void toWord();
    void showStatus();
    void showName();
    // The keys made of two strokes (Ctrl+Q Ctrl+Y, Ctrl+K Ctrl+B, Ctrl+K Ctrl+K) and Ctrl+Y.
    bool editingKey(int key, bool ctrl);
    // The caret keys of the window's own rules; true when the key was taken.
    bool caretKey(QKeyEvent* k);
    CaretRules rules() const;
    void moveCaret(VerticalMove move, bool select);
    // Home, Left, a click ...: the caret kept right of the fixed column, its column remembered.
    void caretPlaced();

    Session& s_;
    TextEditParams params_;
    TextCaret caret_;
    QPlainTextEdit* text_;
    TextPanes* panes_;
    QLabel* status_;
    QLabel* insertLabel_ = nullptr;
    QAction* open_;
    QAction* save_;
    QAction* close_;
    QAction* allow_;
    QAction* forbid_;
    QAction* wrap_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    TFind* find_;
    std::string name_; // empty: the unnamed text
    bool editable_ = false;
    EditorKeys keys_;
    int remembered_ = 0; // the column vertical moves keep
};

} // namespace sarw
