#include "screens/TCdsScrT.h"

#include "screens/ScrGrouping.h"
#include "shell/QtText.h"
#include "shell/WinLSys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sarw {

TCdsScrT::TCdsScrT(Session& s, ScrGrouping& grouping, QWidget* parent)
    : QDialog(parent), s_(s), g_(grouping) {
    setObjectName("TCdsScrT");
    setWindowTitle(QStringLiteral("  Mezisoucty, strankovani, redukce"));
    grid_ = new QTableWidget(this);
    grid_->setColumnCount(5);
    grid_->setHorizontalHeaderLabels({"Nazev sloupce", "Sum", "Str", "Rad", "Por"});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setColumnWidth(Name, 220);
    for (int c = Sum; c <= Por; ++c) grid_->setColumnWidth(c, 45);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, &TCdsScrT::activate);

    auto* original = new QPushButton(QStringLiteral("  Puvodni stav"), this);
    auto* fresh = new QPushButton(QStringLiteral("  Novy vyber"), this);
    auto* end = new QPushButton(QStringLiteral("  Konec"), this);
    original->setObjectName("original");
    fresh->setObjectName("fresh");
    for (QPushButton* b : {original, fresh, end}) b->setAutoDefault(false);
    connect(original, &QPushButton::clicked, this, [this] {
        g_.original();
        fill();
    });
    connect(fresh, &QPushButton::clicked, this, [this] {
        g_.clearPositions();
        fill();
    });
    connect(end, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(original);
    buttons->addWidget(fresh);
    buttons->addStretch();
    buttons->addWidget(end);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(460, 520);
    fill();
}

void TCdsScrT::fill() {
    grid_->setRowCount(static_cast<int>(g_.rows.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const ScrGrouping::Row& row = g_.rows[static_cast<std::size_t>(r)];
        const QString texts[] = {
            qs(row.name), row.sum ? "Sum" : "", row.str ? "Str" : "", row.rad ? "Rad" : "",
            row.position ? QString("%1").arg(row.position, 3, 10, QChar('0')) : QString()};
        for (int c = Name; c <= Por; ++c) {
            QTableWidgetItem* item = grid_->item(r, c);
            if (!item) grid_->setItem(r, c, item = new QTableWidgetItem);
            item->setText(texts[c]);
        }
    }
}

void TCdsScrT::activate(int row, int column) {
    if (row < 0 || row >= static_cast<int>(g_.rows.size())) return;
    const auto r = static_cast<std::size_t>(row);
    if (column == Sum) g_.toggle(r, ScrGrouping::Flag::Sum);
    if (column == Str) g_.toggle(r, ScrGrouping::Flag::Str);
    if (column == Rad) g_.toggle(r, ScrGrouping::Flag::Rad);
    if (column == Por) g_.numberNext(r);
    fill();
}

bool TCdsScrT::eventFilter(QObject* watched, QEvent* e) {
    if (watched == grid_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const int row = grid_->currentRow(), column = grid_->currentColumn();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activate(row, column);
            return true;
        }
        if (key == Qt::Key_Delete && column == Por && row >= 0) {
            g_.clearPosition(static_cast<std::size_t>(row));
            fill();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TCdsScrT::done(int result) {
    if (!g_.contiguous()) {
        warning(s_, ScrGrouping::kNotContiguous);
        return;
    }
    QDialog::done(result);
}

} // namespace sarw
