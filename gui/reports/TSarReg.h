#pragma once

#include "reports/ListWindow.h"

namespace sarw {

class OrgLevelBox;

// The regleta: initial state, movements and current state of every material, computed by
// "  Proved" and shown by "  Zobraz". While the window exists, sums count the current states.
class TSarReg : public ListWindow {
    Q_OBJECT
public:
    explicit TSarReg(Session& s, QWidget* parent = nullptr);
    ~TSarReg() override;

    OrgLevelBox* levelBox() const { return level_; }

private:
    OrgLevelBox* level_;
    std::string title_;
};

} // namespace sarw
