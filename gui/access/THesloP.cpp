#include "access/THesloP.h"

#include "access/AccessFile.h"
#include "access/AccessMaintenance.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/Writing.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>

namespace sarw {

namespace {

// Enter in an open cell editor moves on to the next cell, as Tab does.
class EnterAsTabDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject* editor, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                auto* w = static_cast<QWidget*>(editor);
                emit commitData(w);
                emit closeEditor(w, QAbstractItemDelegate::EditNextItem);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(editor, e);
    }
};

} // namespace

RightsGrid::RightsGrid(Session& s, QWidget* parent)
    : QTableWidget(THesloP::kRows, 3, parent), s_(s) {
    setObjectName("Prava");
    setHorizontalHeaderLabels({QStringLiteral("Jmeno uzivatele"), QStringLiteral("Pristupove heslo"),
                               QStringLiteral("Status pristupu")});
    // Widths of 200 + 200 + 100 pixels leave no room for the row numbers and the scroll bar:
    // the two text columns give some up and the status column takes what is left, so nothing
    // scrolls sideways for a few pixels.
    setColumnWidth(0, 185);
    setColumnWidth(1, 185);
    setColumnWidth(2, 100);
    horizontalHeader()->setStretchLastSection(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new EnterAsTabDelegate(this));
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    verticalHeader()->setDefaultSectionSize(20);
}

void RightsGrid::commitEditor() {
    QWidget* editor = QApplication::focusWidget();
    if (state() != EditingState || !editor || !isAncestorOf(editor)) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void RightsGrid::insertEmptyRow(int row) {
    removeRow(rowCount() - 1);
    insertRow(row);
}

void RightsGrid::deleteRow(int row) {
    removeRow(row);
    insertRow(rowCount());
}

void RightsGrid::keyPressEvent(QKeyEvent* e) {
    const int row = currentRow() < 0 ? 0 : currentRow();
    if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
        bool yes = false;
        guarded([&] { yes = question(s_, "Naozaj chceme riadok zrusit ?"); });
        if (yes) deleteRow(row);
        return;
    }
    if (e->key() == Qt::Key_Insert) {
        insertEmptyRow(row);
        setCurrentCell(row, currentColumn() < 0 ? 0 : currentColumn());
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextPrevChild(true);
        return;
    }
    QTableWidget::keyPressEvent(e);
}

THesloP::THesloP(Session& s, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), s_(s) {
    setObjectName("THesloP");
    setWindowTitle(QStringLiteral("  Zadani pristupovych prav"));
    resize(540, 420);
    grid_ = new RightsGrid(s, this);
    grid_->setGeometry(8, 8, 524, 360);
    auto* hint = new QLabel(QStringLiteral("Zadej maximalne 200 polozek !"), this);
    hint->setGeometry(8, 380, 300, 24);
    end_ = new QPushButton(QStringLiteral("  Konec"), this);
    end_->setObjectName("Konec");
    end_->setAutoDefault(false);
    end_->setGeometry(width() - 20 - 90, 378, 90, 28);
    connect(end_, &QPushButton::clicked, this, &QDialog::accept);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void THesloP::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    filled_ = false;
    guarded([this] { deleteUserMarker(s_); });
    if (s_.login.status != "Zenit") {
        // Nobody else sees the passwords, not even for one painting, and nothing is rewritten.
        QTimer::singleShot(0, this, [this] { QDialog::done(Rejected); });
        return;
    }
    fill();
    grid_->setFocus(Qt::OtherFocusReason);
    grid_->setCurrentCell(0, 0);
}

void THesloP::fill() {
    grid_->clearContents();
    guarded([this] {
        loaded_ = loadAccessFile(s_);
        int row = 0;
        for (const AccessEntry& e : loaded_) {
            if (row >= kRows) break;
            grid_->setItem(row, 0, new QTableWidgetItem(qs(e.name)));
            grid_->setItem(row, 1, new QTableWidgetItem(qs(e.password)));
            grid_->setItem(row, 2, new QTableWidgetItem(qs(e.status)));
            ++row;
        }
        filled_ = true;
    });
}

void THesloP::done(int result) {
    if (filled_) {
        filled_ = false;
        grid_->commitEditor();
        std::vector<AccessEntry> rows;
        for (int r = 0; r < grid_->rowCount(); ++r) {
            auto cell = [&](int c) {
                const QTableWidgetItem* item = grid_->item(r, c);
                return item ? cp(item->text()) : std::string();
            };
            rows.push_back({cell(0), cell(1), cell(2)});
        }
        // Only a changed table is written: closing to look costs no write.
        writing(s_, [&] { saveAccessFile(s_, rows, &loaded_); });
    }
    QDialog::done(result);
}

} // namespace sarw
