#include "tools/Vdate.h"

#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "tools/ToolWindows.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

namespace sarw {

namespace {

std::string& picked() {
    static std::string date;
    return date;
}

} // namespace

std::string pickedDate() {
    return picked();
}

Vdate::Vdate(Session& s, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Vdate");
    setWindowTitle(QStringLiteral(" Kalendar"));
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName("kalendar");
    // Month and day names as a Czech system shows them, weeks from Monday, no week numbers.
    calendar_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    calendar_->setFirstDayOfWeek(Qt::Monday);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const DateTime today = s.platform().now();
    calendar_->setSelectedDate(QDate(today.year, today.month, today.day));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calendar_);
    // Double-click (and Enter) takes the date and closes.
    connect(calendar_, &QCalendarWidget::activated, this, &QWidget::close);
    move(20, 120);
}

void Vdate::closeEvent(QCloseEvent* e) {
    const QDate d = calendar_->selectedDate();
    picked() = formatDate(d.year(), d.month(), d.day());
    QWidget::closeEvent(e);
}

} // namespace sarw
