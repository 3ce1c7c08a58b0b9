#include "codebooks/TCdsCis.h"

#include "codebooks/CodebookMenu.h"
#include "codebooks/UCdsCIS.h"
#include "shell/LSysDate.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "output/ShowReport.h"
#include "start/DataDiskWrite.h"

#include <QAbstractItemDelegate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace sarw {

// --- The grid's model -------------------------------------------------------------------------

void CodebookModel::refresh() {
    beginResetModel();
    endResetModel();
}

int CodebookModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !editor_.isOpen()) return 0;
    return static_cast<int>(editor_.data().recordCount());
}

int CodebookModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : editor_.data().fieldCount();
}

QVariant CodebookModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid()) return {};
    return qs(editor_.data().text(static_cast<size_t>(index.row()), index.column()));
}

QVariant CodebookModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Vertical) return section + 1;
    const auto& fields = editor_.data().fields;
    return static_cast<size_t>(section) < fields.size()
               ? qs(fields[static_cast<size_t>(section)].name)
               : QVariant();
}

Qt::ItemFlags CodebookModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editor_.editing()) f |= Qt::ItemIsEditable;
    return f;
}

bool CodebookModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !editor_.setCell(index.row(), index.column(), cp(value.toString())))
        return false;
    emit dataChanged(index, index);
    return true;
}

namespace {

// The grid tells whether a cell is being typed: the keys the cell's editor leaves unused come
// up to the grid then, and must not act on the rows under it.
class CodebookGrid : public QTableView {
public:
    using QTableView::QTableView;
    bool cellEditorOpen() const { return state() == EditingState; }
};

} // namespace

// --- The window -------------------------------------------------------------------------------

TCdsCis::TCdsCis(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), editor_(s), model_(editor_) {
    setObjectName("TCdsCis");
    setGeometry(30, 30, 592, 600);
    auto* panel = new QLabel(QString::fromLatin1(CodebookEditor::kPanelText), this);
    grid_ = new CodebookGrid(this);
    grid_->setObjectName("grid");
    grid_->setModel(&model_);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] { choose(); });
    // Enter in a cell being typed commits it and goes on as Enter in the grid does; queued, so
    // the grid has closed the cell's editor first.
    connect(
        grid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
        [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
            if (hint != QAbstractItemDelegate::SubmitModelCache || !editor_.editing()) return;
            takeCursor();
            editor_.enter();
            afterChange();
        },
        Qt::QueuedConnection);
    search_ = new QLineEdit(this);
    search_->setObjectName("Edit1");
    connect(search_, &QLineEdit::textEdited, this,
            [this](const QString& t) { editor_.setSearchText(cp(t)); });
    connect(search_, &QLineEdit::returnPressed, this, [this] {
        takeCursor();
        editor_.searchByKey();
        showCursor();
    });

    auto* buttons = new QHBoxLayout;
    auto* tools = new QHBoxLayout;
    for (auto [name, caption] : {std::pair{"first", "|<"},
                                 {"prior", "<"},
                                 {"next", ">"},
                                 {"last", ">|"},
                                 {"insert", "+"},
                                 {"delete", "-"},
                                 {"save", "v"}})
        buttons->addWidget(addButton(name, caption, ""));
    tools->addWidget(addButton("Editace", "  Editace", "Umozni upravovat ciselnik"));
    tools->addWidget(
        addButton("Setrideni", "  Setrideni", "Setridi ciselnik podle klicoveho slova"));
    tools->addWidget(addButton("Tisk", "  Tisk", ""));
    tools->addWidget(addButton("Konec", "    Konec", "Opusteni ciselniku"));
    auto* find = new QHBoxLayout;
    find->addWidget(search_);
    find->addWidget(addButton("VyhledaniKlice", " Vyhledani podle klice",
                              "Nastavi ukazatel na polozku zadaneho klicoveho slova"));
    find->addWidget(addButton("VyhledaniRetezce", "      Vyhledani retezce",
                              "Nastavi ukazatel na polozku obsahujici hledany retezec"));
    button("Editace")->setCheckable(true);

    auto move = [this](int row) {
        takeCursor();
        editor_.moveTo(row, editor_.column());
        showCursor();
    };
    connect(button("first"), &QPushButton::clicked, this, [=] { move(0); });
    connect(button("prior"), &QPushButton::clicked, this, [=, this] { move(editor_.row() - 1); });
    connect(button("next"), &QPushButton::clicked, this,
            [=, this] { move(std::min(editor_.row() + 1, model_.rowCount() - 1)); });
    connect(button("last"), &QPushButton::clicked, this,
            [=, this] { move(model_.rowCount() - 1); });
    auto act = [this](void (CodebookEditor::*f)()) {
        return [this, f] {
            takeCursor();
            (editor_.*f)();
            afterChange();
        };
    };
    connect(button("insert"), &QPushButton::clicked, this, act(&CodebookEditor::insertRow));
    connect(button("delete"), &QPushButton::clicked, this, act(&CodebookEditor::deleteRow));
    connect(button("save"), &QPushButton::clicked, this, act(&CodebookEditor::saveRow));
    connect(button("Editace"), &QPushButton::clicked, this, act(&CodebookEditor::toggleEditing));
    connect(button("Setrideni"), &QPushButton::clicked, this, [this] { sortCodebook(); });
    connect(button("VyhledaniKlice"), &QPushButton::clicked, this, [this] {
        takeCursor();
        editor_.searchByKey();
        showCursor();
    });
    connect(button("VyhledaniRetezce"), &QPushButton::clicked, this, [this] {
        takeCursor();
        editor_.searchString();
        showCursor();
    });
    connect(button("Tisk"), &QPushButton::clicked, this, [this] { printListing(); });
    connect(button("Konec"), &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->addLayout(tools);
    layout->addLayout(find);
    layout->addWidget(grid_, 1);
}

QPushButton* TCdsCis::addButton(const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    if (*hint) b->setToolTip(QString::fromLatin1(hint));
    return b;
}

QPushButton* TCdsCis::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

bool TCdsCis::openCodebook() {
    if (!editor_.open()) return false;
    setWindowTitle(qs(editor_.caption()));
    search_->clear();
    model_.refresh();
    placeColumns();
    updateButtons();
    showCursor();
    grid_->setFocus();
    return true;
}

void TCdsCis::showCodebook() {
    if (openCodebook()) exec();
}

void TCdsCis::placeColumns() {
    const QFontMetrics metrics(grid_->font());
    const auto& fields = editor_.data().fields;
    for (size_t f = 0; f < fields.size(); ++f) {
        const int name = metrics.horizontalAdvance(qs(trimRight(fields[f].name)));
        // The window's own width counts 8 pixels a character; a wider font still shows the whole
        // value, with the cell's margins.
        const int perChar = std::max(8, metrics.horizontalAdvance(QLatin1Char('0')));
        const int whole = fields[f].size * perChar + 12;
        grid_->setColumnWidth(static_cast<int>(f),
                              std::max(CodebookEditor::columnWidth(name, fields[f].size), whole));
    }
}

void TCdsCis::updateButtons() {
    for (const char* name : {"insert", "delete", "save"})
        button(name)->setEnabled(editor_.editing());
    button("Setrideni")->setEnabled(editor_.editAllowed());
    button("Editace")->setEnabled(editor_.editAllowed());
    button("Editace")->setChecked(editor_.editing());
}

void TCdsCis::takeCursor() {
    const QModelIndex at = grid_->currentIndex();
    if (at.isValid()) editor_.moveTo(at.row(), at.column());
}

void TCdsCis::showCursor() {
    if (model_.rowCount() == 0) return;
    grid_->setCurrentIndex(model_.index(editor_.row(), editor_.column()));
    search_->setText(qs(editor_.searchText()));
}

void TCdsCis::afterChange() {
    model_.refresh();
    updateButtons();
    showCursor();
}

void TCdsCis::choose() {
    if (!editor_.picking()) return;
    takeCursor();
    editor_.choose();
    accept();
}

void TCdsCis::sortCodebook() {
    takeCursor();
    {
        const DataDiskWrite writer(s_);
        if (writer.held()) editor_.sort();
    }
    model_.refresh();
    editor_.moveTo(0, 0);
    afterChange();
    grid_->setFocus();
}

void TCdsCis::printListing() {
    takeCursor();
    const std::string report = editor_.listing();
    if (report.empty()) return;
    hide();
    showReport(parentWidget(), s_, report);
    show();
}

bool TCdsCis::gridKey(QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool digit = key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9;
    if (!digit && !(mods & Qt::ShiftModifier)) {
        editor_.clearSearch();
        search_->clear();
    }
    takeCursor();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (editor_.editing()) {
        if (ctrl && key->key() == Qt::Key_C)
            editor_.copyCell();
        else if (ctrl && key->key() == Qt::Key_V)
            editor_.pasteCell();
        else if (key->key() == Qt::Key_F9)
            editor_.copyDown();
        else if (enter)
            editor_.enter();
        else if (key->key() == Qt::Key_Delete && (mods & Qt::AltModifier))
            editor_.emptyCodebook();
        else
            return false;
        afterChange();
        return true;
    }
    if (key->key() == Qt::Key_Delete && (mods & Qt::AltModifier)) {
        editor_.emptyCodebook();
        return true;
    }
    if (!editor_.picking()) return false;
    if (digit && !ctrl) {
        editor_.typeDigit(static_cast<char>('0' + (key->key() - Qt::Key_0)));
        showCursor();
        return true;
    }
    if (enter) {
        choose();
        return true;
    }
    return false;
}

bool TCdsCis::eventFilter(QObject* watched, QEvent* e) {
    if (watched == grid_ && e->type() == QEvent::KeyPress &&
        !static_cast<CodebookGrid*>(grid_)->cellEditorOpen() && gridKey(static_cast<QKeyEvent*>(e)))
        return true;
    return QDialog::eventFilter(watched, e);
}

void TCdsCis::done(int result) {
    if (editor_.isOpen()) {
        takeCursor();
        // Closing writes and sorts an editable codebook: the data disk's writer lock is held.
        std::optional<DataDiskWrite> writer;
        if (editor_.editAllowed() && !writer.emplace(s_).held()) return;
        if (!editor_.close()) {
            afterChange();
            return;
        }
    }
    QDialog::done(result);
}

void VCisel(Session& s, int part, int column, QWidget* parent) {
    if (!VCiselTarget(s, part, column)) return;
    TCdsCis window(s, parent);
    window.showCodebook();
}

void showMenuCodebook(Session& s, const std::string& file, int keys, QWidget* parent) {
    prepareCodebookEditor(s, file, keys);
    TCdsCis window(s, parent);
    window.showCodebook();
}

} // namespace sarw
