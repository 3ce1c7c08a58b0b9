#pragma once

#include "reports/ListWindow.h"

class QCheckBox;

namespace sarw {

class OrgLevelBox;

// The inventory list: computed by "  Proved", shown by "  Zobraz", with the inventory texts for
// printing by "  Sestava".
class TSarInv : public ListWindow {
    Q_OBJECT
public:
    explicit TSarInv(Session& s, QWidget* parent = nullptr);

    OrgLevelBox* levelBox() const { return level_; }
    QCheckBox* groupsBox() const { return groups_; }

private:
    void show(bool print);

    OrgLevelBox* level_;
    QCheckBox* groups_;
    std::string title_;
};

} // namespace sarw
