#pragma once

#include <QWidget>

class QCalendarWidget;

namespace sarw {

class Session;

// The month calendar; the date selected when it closes is kept for the callers.
class Vdate : public QWidget {
    Q_OBJECT
public:
    Vdate(Session& s, QWidget* parent);
    QCalendarWidget* calendar() const { return calendar_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QCalendarWidget* calendar_;
};

} // namespace sarw
