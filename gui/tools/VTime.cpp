#include "tools/VTime.h"

#include "shell/LSysDate.h"
#include "shell/QtText.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace sarw {

VTime::VTime(Session& s, QWidget* parent) : QWidget(parent, Qt::Window), session_(&s) {
    setObjectName("VTime");
    setWindowTitle(QStringLiteral(" Hodiny"));
    time_ = new QLabel(this);
    time_->setObjectName("cas");
    time_->setAlignment(Qt::AlignCenter);
    QFont f = time_->font();
    f.setPointSize(f.pointSize() * 2);
    time_->setFont(f);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(time_);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &VTime::tick);
    timer->start(1000);
    tick();
    resize(160, 60);
    move(20, 40);
}

QString VTime::shownTime() const {
    return time_->text();
}

void VTime::tick() {
    time_->setText(qs(now(*session_)));
}

} // namespace sarw
