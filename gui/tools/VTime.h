#pragma once

#include <QWidget>

class QLabel;

namespace sarw {

class Session;

// The clock: the time of day, refreshed every second.
class VTime : public QWidget {
    Q_OBJECT
public:
    VTime(Session& s, QWidget* parent);
    void setSession(Session& s) { session_ = &s; }
    QString shownTime() const;

private:
    Session* session_;
    QLabel* time_;
    void tick();
};

} // namespace sarw
