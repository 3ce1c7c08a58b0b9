#include "documents/TSarDokl.h"

#include "codebooks/TCdsCis.h"
#include "codebooks/UCdsCIS.h"
#include "documents/DocumentActions.h"
#include "documents/DocumentCheck.h"
#include "documents/DocumentGridModel.h"
#include "documents/DocumentOpening.h"
#include "documents/DocumentPicks.h"
#include "documents/DocumentPrint.h"
#include "documents/DocumentStore.h"
#include "documents/FollowOn.h"
#include "documents/PriceList.h"
#include "output/ShowReport.h"
#include "period/PeriodFiles.h"
#include "screens/TCdsScrForm.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/model/ReadDef.h"
#include "tools/ToolWindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace sarw {

namespace {

constexpr int kWidth = 1085;

QTableView* makeGrid(QWidget* parent, const char* name, const char* hint) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setToolTip(QString::fromLatin1(hint));
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
    grid->setTabKeyNavigation(false);
    grid->setFont(QFont(QStringLiteral("Courier New"), 9));
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}

// The print settings of one print: the viewer shows the report with them, then the user's own
// come back.
class PrintRun {
public:
    PrintRun(Session& s, int fontSize, bool landscape) : s_(s), saved_(s.printSettings) {
        s.printSettings.fontSize = fontSize;
        if (landscape) s.printSettings.orientation = 1;
    }
    ~PrintRun() { s_.printSettings = saved_; }
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

private:
    Session& s_;
    PrintSettings saved_;
};

void showDocumentReport(QWidget* parent, Session& s, const std::string& report, int fontSize,
                        bool landscape) {
    if (report.empty()) return;
    s.programsDir = s.dataDisk + "\\LSarW\\Programy";
    const PrintRun run(s, fontSize, landscape);
    showReport(parent, s, report);
}

} // namespace

TSarDokl::TSarDokl(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("SarDokl");
    setWindowTitle(QStringLiteral("  Doklady o pohybu materialu     ") + qs(today(s)));
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { focusMoved(old, now); });
}

TSarDokl::~TSarDokl() = default;

bool TSarDokl::openForm() {
    if (!openDocumentForm(s_, form_)) return false;
    buildWindow();
    afterNewDocument();
    placeWindow();
    return true;
}

QPushButton* TSarDokl::addButton(const char* hint, int icon, void (TSarDokl::*run)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(hint));
    b->setToolTip(QString::fromLatin1(hint));
    b->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    b->setFixedSize(28, 26);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, run] { (this->*run)(); });
    buttons_[hint] = b;
    return b;
}

void TSarDokl::buildWindow() {
    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    struct Def {
        const char* hint;
        QStyle::StandardPixmap icon;
        void (TSarDokl::*run)();
    };
    const Def defs[] = {
        {"Vypocet hodnoty aritmetickeho vyrazu", QStyle::SP_FileDialogContentsView,
         &TSarDokl::expression},
        {"Kalkulacka", QStyle::SP_ComputerIcon, &TSarDokl::calculator},
        {"Hodiny", QStyle::SP_MediaPlay, &TSarDokl::clock},
        {"Kalendar", QStyle::SP_FileDialogInfoView, &TSarDokl::calendar},
        {"Otevrit novy doklad", QStyle::SP_FileIcon, &TSarDokl::newDocument},
        {"Vybrat doklad ze seznamu", QStyle::SP_FileDialogListView, &TSarDokl::chooseFromList},
        {"Otevrit navazujuci doklad", QStyle::SP_ArrowForward, &TSarDokl::followOn},
        {"Zruseni dokladu", QStyle::SP_TrashIcon, &TSarDokl::deleteDocument},
        {"Zobrazeni a tisk dokladu", QStyle::SP_FileDialogDetailedView, &TSarDokl::printPlain},
        {"Zobrazeni a tisk dokladu v rezime tabulky", QStyle::SP_FileDialogNewFolder,
         &TSarDokl::tableScreenDocument},
        {"Doklad v rezimu tabulky", QStyle::SP_DirOpenIcon, &TSarDokl::tableToolDocument},
        {"Doklad v ramecku", QStyle::SP_TitleBarNormalButton, &TSarDokl::printFramed},
        {"Zobrazeni/Tisk celeho souboru", QStyle::SP_DriveHDIcon, &TSarDokl::tableScreenFile},
        {"Cely soubor v rezimu tabulky", QStyle::SP_DirIcon, &TSarDokl::tableToolFile},
        {"Cenik", QStyle::SP_FileDialogStart, &TSarDokl::priceList},
        {"Ulozeni dokladu", QStyle::SP_DialogSaveButton, &TSarDokl::save},
    };
    for (const Def& d : defs) top->addWidget(addButton(d.hint, d.icon, d.run));
    top->addStretch();
    top->addWidget(addButton("Napoveda", QStyle::SP_DialogHelpButton, &TSarDokl::help));
    top->addSpacing(28);
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setObjectName("Konec");
    end->setToolTip(QStringLiteral("Ukonceni zpracovani dokladu a jeho ulozeni do souboru "));
    end->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, [this] { finish(); });
    buttons_["  Konec"] = end;
    top->addWidget(end);

    head_ = makeGrid(this, "TabH", "Hlavicka dokladu");
    headModel_ = new DocumentGridModel(s_, form_, false, this);
    head_->setModel(headModel_);
    head_->verticalHeader()->hide();
    head_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    head_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int headWidth = 0;
    for (int c = 0; c < headModel_->columnCount(); ++c) {
        head_->setColumnWidth(c, headModel_->pixels(c));
        headWidth += headModel_->pixels(c);
    }
    head_->setFixedSize(headWidth + 17, head_->horizontalHeader()->sizeHint().height() + 24);
    headDelegate_ = new DocumentGridDelegate(
        *headModel_, [this](QWidget* ed, QKeyEvent* e) { return editorKey(false, ed, e); }, this);
    head_->setItemDelegate(headDelegate_);

    info_ = new QLineEdit(this);
    info_->setObjectName("Edit1");
    info_->setToolTip(QStringLiteral("Zobrazeni udaju z ciselniku"));
    info_->setReadOnly(true);
    info_->setFocusPolicy(Qt::NoFocus);
    info_->setFixedWidth(600);
    auto* f9 = new QLabel(QStringLiteral(" F9-prenos udaje "), this);
    columnPos_ = new QLineEdit(this);
    rowPos_ = new QLineEdit(this);
    for (QLineEdit* e : {columnPos_, rowPos_}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(44);
    }
    columnPos_->setObjectName("Sloupec");
    rowPos_->setObjectName("Radek");
    auto* infoRow = new QHBoxLayout;
    infoRow->addWidget(new QLabel(QStringLiteral("Sloupec:"), this));
    infoRow->addWidget(columnPos_);
    infoRow->addWidget(new QLabel(QStringLiteral("Radek:"), this));
    infoRow->addWidget(rowPos_);
    infoRow->addStretch();
    infoRow->addWidget(info_);
    infoRow->addWidget(f9);

    items_ = makeGrid(this, "TabP", "Polozky dokladu");
    itemsModel_ = new DocumentGridModel(s_, form_, true, this);
    items_->setModel(itemsModel_);
    for (int c = 0; c < itemsModel_->columnCount(); ++c)
        items_->setColumnWidth(c, itemsModel_->pixels(c));
    items_->verticalHeader()->setFixedWidth(7 * 4 + 10);
    itemsDelegate_ = new DocumentGridDelegate(
        *itemsModel_, [this](QWidget* ed, QKeyEvent* e) { return editorKey(true, ed, e); }, this);
    items_->setItemDelegate(itemsDelegate_);

    sums_ = new QLabel(this);
    sums_->setObjectName("Soucty");

    for (QTableView* g : {head_, items_}) {
        g->installEventFilter(this);
        g->viewport()->installEventFilter(this);
        setActive(g, false);
    }
    connect(items_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { showState(); });

    auto* headRow = new QHBoxLayout;
    headRow->addStretch();
    headRow->addWidget(head_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(headRow);
    all->addLayout(infoRow);
    all->addWidget(items_, 1);
    all->addWidget(sums_);
}

void TSarDokl::placeWindow() {
    resize(kWidth, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(std::max(r.left(), r.right() - 40 - kWidth),
             std::max(r.top(), r.bottom() - 40 - frameGeometry().height()));
    }
}

QPushButton* TSarDokl::button(const std::string& hint) const {
    auto it = buttons_.find(hint);
    return it == buttons_.end() ? nullptr : it->second;
}

// The grids, the info line, the position display and the sums as the form's state holds them.
void TSarDokl::showState() {
    if (!items_) return;
    // A cell being edited keeps what is typed: a refresh would put the model's text back.
    const QWidget* focus = QApplication::focusWidget();
    for (auto [grid, model] : {std::pair{head_, headModel_}, std::pair{items_, itemsModel_}})
        if (!focus || focus == grid || !grid->isAncestorOf(focus)) model->refresh();
    info_->setText(qs(form_.infoLine));
    QPalette p = info_->palette();
    p.setColor(QPalette::Text, form_.infoFailed ? Qt::red : QColor(0, 128, 0));
    info_->setPalette(p);
    QFont f = info_->font();
    f.setBold(form_.infoFailed);
    info_->setFont(f);
    sums_->setText(qs(form_.sums));
    const bool inItems = items_->hasFocus() || items_->isAncestorOf(QApplication::focusWidget());
    const QModelIndex at = items_->currentIndex();
    columnPos_->setText(qs(zeroPadInt(inItems && at.isValid() ? at.column() + 1 : 0, 4)));
    rowPos_->setText(qs(zeroPadInt(inItems && at.isValid() ? at.row() + 1 : 0, 4)));
}

void TSarDokl::setActive(QTableView* grid, bool active) {
    QPalette p = grid->palette();
    p.setColor(QPalette::Base, active ? Qt::white : QColor(236, 236, 236));
    grid->setPalette(p);
}

// A new or newly read document: the grids show it, the cursor on header column 1.
void TSarDokl::afterNewDocument() {
    lastHead_ = 1;
    recomputeSums(form_);
    showState();
    goHeader(1);
}

// --- Buttons -------------------------------------------------------------------------------------

void TSarDokl::help() {
    showHelpText(s_, "SarDokl");
}
void TSarDokl::expression() {
    showTool(Tool::Expression, s_, this);
}
void TSarDokl::calculator() {
    showTool(Tool::Calculator, s_, this);
}
void TSarDokl::clock() {
    showTool(Tool::Clock, s_, this);
}
void TSarDokl::calendar() {
    showTool(Tool::Calendar, s_, this);
}

// The last item cell is left before a button acts on the document: a refused cell keeps the
// focus and the button does nothing.
bool TSarDokl::itemsSettled() {
    if (!form_.ItemTyped) return form_.LastCheckOk;
    if (checkLastItem()) return true;
    goItem(form_.lastRow, form_.lastColumn);
    return false;
}

void TSarDokl::newDocument() {
    if (!itemsSettled()) return;
    if (openNewDocument(s_, form_)) afterNewDocument();
    showState();
}

void TSarDokl::chooseFromList() {
    if (form_.DocFilled || form_.doc.anyRowFilled()) return;
    chooseDocument();
}

void TSarDokl::followOn() {
    if (!itemsSettled()) return;
    const bool read = openFollowOnDocument(s_, form_);
    showState();
    if (read) goItem(1, 2);
}

void TSarDokl::deleteDocument() {
    if (sarw::deleteDocument(s_, form_)) afterNewDocument();
    showState();
}

void TSarDokl::printPlain() {
    showDocumentReport(this, s_, printPlainList(s_, form_.doc), 6, true);
}

void TSarDokl::printFramed() {
    const std::string report = sarw::printFramed(s_, form_.doc);
    showDocumentReport(this, s_, report, 5, false);
    ReadDef(s_, turnoverDefName(s_));
    GCisel(s_);
}

// The table screen on a table of the turnover layout; the screen reads its own definition, so
// the form's is read again afterwards.
void TSarDokl::showTableScreen(const std::string& table, const char* heading, bool edit) {
    s_.scr = CdsScrParams{};
    s_.scr.TableFile = table;
    s_.scr.DefFile = turnoverDefName(s_);
    s_.scr.heading1 = "SarW";
    s_.scr.heading2 = heading;
    s_.scr.editAllowed = edit;
    TCdsScrForm screen(s_, this);
    screen.showScreen();
    ReadDef(s_, turnoverDefName(s_));
    GCisel(s_);
}

void TSarDokl::tableScreenDocument() {
    if (documentForDisplay(s_, form_, kSarWork))
        showTableScreen(kSarWork, "Doklad o pohybu materialu", false);
}

void TSarDokl::tableScreenFile() {
    if (!itemsSettled() || !saveGoesOn(saveDocument(s_, form_))) return;
    showTableScreen(turnoverFileName(s_), "Doklady o pohybu materialu - prehled", true);
}

// Without the separate table tool the program's own table screen stands in, read-only: the
// tool only shows the table too.
void TSarDokl::tableToolDocument() {
    if (!tableToolExists(s_)) return tableScreenDocument();
    documentInTableTool(s_, form_, false);
}
void TSarDokl::tableToolFile() {
    if (!tableToolExists(s_))
        return showTableScreen(turnoverFileName(s_), "Doklady o pohybu materialu - prehled", false);
    documentInTableTool(s_, form_, true);
}

void TSarDokl::priceList() {
    offerPriceList(s_, form_);
    showState();
}

void TSarDokl::save() {
    if (!itemsSettled()) return;
    saveWithFollowOn(s_, form_, FollowOnChoice::Ask);
    showState();
}

// "  Konec" and the window's close button: only after the last item check passed and the
// document was saved with its follow-on documents.
void TSarDokl::finish() {
    if (!itemsSettled()) return;
    const bool close = closeDocumentForm(s_, form_);
    showState();
    if (!close) return;
    readInic(s_);
    closing_ = true;
    accept();
}

void TSarDokl::closeEvent(QCloseEvent* e) {
    if (closing_) {
        QDialog::closeEvent(e);
        return;
    }
    e->ignore();
    finish();
}

// Escape: the window goes without the closing save, after the question.
void TSarDokl::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (!question(s_, "Ukoncovaci akce nebudou provedeny !!!\r\rSkutecne chceme uzavrit okno ?"))
        return;
    closing_ = true;
    QDialog::reject();
}

} // namespace sarw
