#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QGridLayout;

namespace sarw {

class Session;

// What the inventory list, regleta and stock card windows share: the period label, the buttons
// "  Proved", "  Zobraz", "  Tabulka", "  Konec" in a column on the right, the table screen on
// the list, and the table tool (or the table screen when the tool is not installed).
class ListWindow : public QDialog {
    Q_OBJECT
public:
    QPushButton* button(const char* name) const;

protected:
    ListWindow(Session& s, const char* objectName, const char* caption, QWidget* parent);

    // Adds a button to the column; the order of the calls is the order on screen.
    QPushButton* addButton(const char* name, const char* caption);
    // The grid for the window's own controls, left of the buttons, below the period label.
    QGridLayout* fields() const { return fields_; }

    // The table screen on the parameter block as the caller set it.
    void showList();
    // "  Tabulka".
    void handToTableTool(const std::string& title);

    void showEvent(QShowEvent* e) override;

    Session& s_;

private:
    QLabel* period_;
    QGridLayout* fields_;
    QWidget* buttons_;
};

} // namespace sarw
