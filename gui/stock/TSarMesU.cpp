#include "stock/TSarMesU.h"

#include "shell/QtText.h"
#include "shell/Session.h"
#include "stock/USarMesU.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace sarw {

TSarMesU::TSarMesU(Session& s, std::function<void()> periodMoved, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s), periodMoved_(std::move(periodMoved)) {
    setObjectName("TSarMesU");
    setWindowTitle(QStringLiteral("  Mesicni uzaverka"));

    current_ = new QLineEdit(this);
    current_->setObjectName("Soucasne");
    current_->setReadOnly(true);
    current_->setFocusPolicy(Qt::NoFocus);
    next_ = new QLineEdit(this);
    next_->setObjectName("Budouci");
    for (QLineEdit* e : {current_, next_})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);

    run_ = new QPushButton(QStringLiteral("  Proved"), this);
    run_->setObjectName("Proved");
    close_ = new QPushButton(QStringLiteral("  Konec"), this);
    close_->setObjectName("Konec");
    run_->setAutoDefault(false);
    close_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Soucasne obdobi:"), this), 0, 0);
    grid->addWidget(current_, 0, 1);
    grid->addWidget(close_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Budouci obdobi:"), this), 1, 0);
    grid->addWidget(next_, 1, 1);
    grid->addWidget(run_, 1, 2);
    setMinimumSize(324, 76);

    connect(run_, &QPushButton::clicked, this, &TSarMesU::runClosing);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TSarMesU::showEvent(QShowEvent* e) {
    const ClosingFields f = closingFields(s_);
    current_->setText(qs(f.current));
    next_->setText(qs(f.next));
    adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - rect().center() + QPoint(1, 1));
    next_->setFocus();
    QDialog::showEvent(e);
}

void TSarMesU::runClosing() {
    std::string next = cp(next_->text());
    const ClosingResult r = closeMonth(s_, cp(current_->text()), next);
    next_->setText(qs(next));
    if (r == ClosingResult::InvalidPeriod) {
        next_->setFocus();
        return;
    }
    if (r == ClosingResult::Done && periodMoved_) periodMoved_();
}

} // namespace sarw
