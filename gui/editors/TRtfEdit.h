#pragma once

#include "editors/EditorKeys.h"
#include "editors/RtfEditParams.h"

#include <QDialog>
#include <QFont>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenuBar;
class QPrinter;
class QPushButton;
class QTextEdit;

namespace sarw {

class Session;
class TFind;

// The rich-text and definition editor: one file shown as rich text (help texts, .Rtf) or as
// plain text (definition, initialisation and header files), read-only until "Povolit". Saving
// replaces the file atomically and keeps its attributes; a missing file shows an empty text and
// is made only by saving. Modal for the definition files, modeless for the help texts.
class TRtfEdit : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "   Zobrazeni/Editace textoveho souboru (Rtf/Txt)";
    static constexpr const char* kNoName = "Ne-Jmeno";

    explicit TRtfEdit(Session& s, QWidget* parent = nullptr);
    ~TRtfEdit() override;

    RtfEditParams& params() { return params_; }
    // Shows the text as params() say; false when nothing could be shown.
    bool showText();
    // The file in the mode given, modally; an empty name is the unnamed text.
    void editFile(const std::string& name, bool rich);
    // A help text, rich and beside the other windows.
    bool showHelp(const std::string& name);

    QTextEdit* text() const { return text_; }
    QLabel* status() const { return status_; }
    QPrinter& printer() { return *printer_; }
    QPushButton* button(const char* caption) const;
    const std::string& fileName() const { return name_; }
    bool rich() const { return rich_; }
    bool modified() const;
    bool save();
    void allowEditing(bool allow);
    // "Hledat" with the text given: from after the selection, or from the start.
    bool find(const QString& needle, bool fromStart);
    // "Radkovy tisk": each line after two blanks in the line-print font.
    bool printLines();
    // "Graficky tisk": the formatted text.
    void printFormatted();
    // "Prihrani Rtf-souboru na zvolenou pozici" without the dialog.
    bool insertRtfFile(const std::string& name);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenu(QMenuBar* menu);
    void buildEditMenu(QMenuBar* menu);
    void buildButtons();
    bool load(const std::string& name);
    bool offerSave();
    bool writeTo(const std::string& name, int delayMs);
    // The text of a plain file as shown, line ends '\n'.
    QString plainText() const;
    void openOther();
    void newText();
    void saveAs();
    void insertRtf();
    void chooseFont();
    void search();
    void switchMode();
    void showStatus();
    void showName();
    void enableFileItems();

    Session& s_;
    RtfEditParams params_;
    QTextEdit* text_;
    QLabel* status_;
    QLabel* insertLabel_;
    QAction* fileMenu_;
    QAction* editMenu_;
    QAction* open_;
    QAction* save_;
    QAction* close_;
    QAction* allow_;
    QAction* forbid_;
    QAction* font_;
    QAction* wrap_;
    QPushButton* newButton_;
    QPushButton* openButton_;
    QPushButton* saveButton_;
    QPushButton* fontButton_;
    QPushButton* insertButton_;
    QPushButton* mapButton_;
    std::unique_ptr<QPrinter> printer_;
    QFont lineFont_; // "Font pro radkovy tisk"
    TFind* find_;
    EditorKeys keys_{true};
    std::string name_; // empty: the unnamed text
    bool rich_ = true;
    bool editable_ = false;
};

} // namespace sarw
