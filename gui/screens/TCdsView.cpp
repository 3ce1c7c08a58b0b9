#include "screens/TCdsView.h"

#include "shell/LSysDate.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/formats/TableFile.h"
#include "tables/model/ReadDef.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace sarw {

void CdsTableModel::setTable(Table table, std::vector<std::string> headings) {
    beginResetModel();
    table_ = std::move(table);
    headings_ = std::move(headings);
    endResetModel();
}

int CdsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.recordCount());
}

int CdsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.fieldCount();
}

QVariant CdsTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return qs(table_.text(static_cast<std::size_t>(index.row()), index.column()));
}

QVariant CdsTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Vertical) return section + 1;
    const auto i = static_cast<std::size_t>(section);
    if (i < headings_.size() && !isBlank(headings_[i])) return qs(trimBoth(headings_[i]));
    return i < table_.fields.size() ? qs(table_.fields[i].name) : QVariant();
}

TCdsView::TCdsView(Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName("TCdsView");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    resize(screen.width() * 5 / 6, screen.height() * 5 / 6);
    view_ = new QTableView(this);
    view_->setModel(&model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(end, 0, Qt::AlignRight);
}

bool TCdsView::openTable(const std::string& tableFile, const std::string& defFile,
                         const std::string& title) {
    setWindowTitle("  " + qs(title));
    model_.setTable(Table(), {});
    bool ok = false;
    guarded([&] {
        if (!fileExistsWarn(s_, tableFile)) return;
        Table table;
        TableFormat format;
        std::string error;
        if (!readTableFile(s_.platform().native(tableFile), table, format, error)) {
            warning(s_, "Soubor:\r\r" + tableFile + "\r\r" + error);
            return;
        }
        std::vector<std::string> headings;
        if (!defFile.empty() && ReadDef(s_, defFile))
            for (const FieldDef& f : s_.def.fields) headings.push_back(f.heading);
        model_.setTable(std::move(table), std::move(headings));
        ok = true;
    });
    view_->resizeColumnsToContents();
    return ok;
}

void TCdsView::showTable(const std::string& tableFile, const std::string& defFile,
                         const std::string& title) {
    if (openTable(tableFile, defFile, title)) exec();
}

} // namespace sarw
