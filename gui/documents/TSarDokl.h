#pragma once

#include "documents/DocumentForm.h"

#include <QDialog>

#include <array>
#include <map>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sarw {

class DocumentGridDelegate;
class DocumentGridModel;
class Session;

// The document form: the header and the items of one receipt or issue document in two grids,
// the info line, the sums and the buttons. It draws and forwards keys; the checks, look-ups and
// saving are the core's (documents/).
class TSarDokl : public QDialog {
    Q_OBJECT
public:
    explicit TSarDokl(Session& s, QWidget* parent = nullptr);
    ~TSarDokl() override;

    // The opening sequence; false when the form cannot be shown.
    bool openForm();

    DocumentForm& form() { return form_; }
    QTableView* headerGrid() const { return head_; }
    QTableView* itemsGrid() const { return items_; }
    QLineEdit* infoLine() const { return info_; }
    QLabel* sumsLabel() const { return sums_; }
    // "Sloupec" and "Radek" of the position display.
    QLineEdit* positionField(bool row) const { return row ? rowPos_ : columnPos_; }
    // A button by its hint ("Ulozeni dokladu" ...), "  Konec" by its caption.
    QPushButton* button(const std::string& hint) const;
    // Puts the cursor on header column c, or item column k of row r, and focuses that grid.
    void goHeader(int c);
    void goItem(int r, int k);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildWindow();
    QPushButton* addButton(const char* hint, int icon, void (TSarDokl::*run)());
    void placeWindow();
    void showState();
    void setActive(QTableView* grid, bool active);

    // Keys (TSarDoklKeys.cpp).
    bool isFormKey(bool items, const QKeyEvent* e) const;
    void typed(bool items);
    bool editorKey(bool items, QWidget* editor, QKeyEvent* e);
    bool headKey(QKeyEvent* e);
    bool itemKey(QKeyEvent* e);
    void headEnter(bool enter);
    void headPick();
    void itemImport();
    std::optional<std::array<std::string, 13>> pickDocument();
    bool chooseDocument();
    void itemEnter();
    void itemPick();
    bool checkLastItem();
    void moveItem(int r, int k);
    void mouseReleased(bool items);
    void focusMoved(QWidget* old, QWidget* now);
    bool leaveHead();
    bool leaveItems();
    void enterHead();
    void enterItems();
    void refocus(QWidget* grid);
    void takeKeys();
    int headColumn() const;
    int itemRow() const;
    int itemColumn() const;

    // Buttons (TSarDokl.cpp).
    void help();
    void expression();
    void calculator();
    void clock();
    void calendar();
    void newDocument();
    void chooseFromList();
    void followOn();
    void deleteDocument();
    void printPlain();
    void tableScreenDocument();
    void tableToolDocument();
    void printFramed();
    void tableScreenFile();
    void showTableScreen(const std::string& table, const char* heading, bool edit);
    void tableToolFile();
    void priceList();
    void save();
    void finish();
    bool itemsSettled();
    void afterNewDocument();

    Session& s_;
    DocumentForm form_;
    DocumentGridModel* headModel_ = nullptr;
    DocumentGridModel* itemsModel_ = nullptr;
    DocumentGridDelegate* headDelegate_ = nullptr;
    DocumentGridDelegate* itemsDelegate_ = nullptr;
    QTableView* head_ = nullptr;
    QTableView* items_ = nullptr;
    QLineEdit* info_ = nullptr;
    QLineEdit* columnPos_ = nullptr;
    QLineEdit* rowPos_ = nullptr;
    QLabel* sums_ = nullptr;
    std::map<std::string, QPushButton*> buttons_;
    int lastHead_ = 1;
    std::string clipboard_;
    bool quiet_ = false;   // focus moved back after a refused leave: no enter or leave steps
    bool closing_ = false; // the close was decided: the window goes without asking again
};

} // namespace sarw
