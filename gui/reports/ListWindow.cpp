#include "reports/ListWindow.h"

#include "period/Period.h"
#include "reports/ReportWork.h"
#include "screens/TCdsScrForm.h"
#include "shell/ProgramEnd.h"
#include "shell/QtText.h"
#include "shell/Session.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace sarw {

ListWindow::ListWindow(Session& s, const char* objectName, const char* caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    period_ = new QLabel(this);
    period_->setObjectName("Obdobi");
    QFont bold = period_->font();
    bold.setBold(true);
    period_->setFont(bold);
    fields_ = new QGridLayout;
    buttons_ = new QWidget(this);
    auto* column = new QVBoxLayout(buttons_);
    column->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    left->addWidget(period_);
    left->addLayout(fields_);
    left->addStretch();
    auto* all = new QHBoxLayout(this);
    all->addLayout(left);
    all->addWidget(buttons_, 0, Qt::AlignTop);
}

QPushButton* ListWindow::addButton(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), buttons_);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    buttons_->layout()->addWidget(b);
    return b;
}

QPushButton* ListWindow::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void ListWindow::showEvent(QShowEvent* e) {
    ReadPeriod(s_);
    period_->setText(qs("Obdobi:  " + s_.period.Period));
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center());
    QDialog::showEvent(e);
}

void ListWindow::showList() {
    TCdsScrForm screen(s_, this);
    screen.showScreen();
}

void ListWindow::handToTableTool(const std::string& title) {
    if (repTabulka(s_, title)) return;
    listScreenParams(s_, title);
    showList();
}

} // namespace sarw
