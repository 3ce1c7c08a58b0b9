#pragma once

#include "reports/ReportWork.h"

#include <QGroupBox>

class QRadioButton;

namespace sarw {

// The radio group "Podnik", "Zavod", "Sprava", "Stredisko" of the report windows.
class OrgLevelBox : public QGroupBox {
    Q_OBJECT
public:
    explicit OrgLevelBox(QWidget* parent = nullptr);
    OrgLevelBox(const OrgLevelBox&) = delete;
    OrgLevelBox& operator=(const OrgLevelBox&) = delete;

    OrgLevel level() const;
    void setLevel(OrgLevel level);

private:
    QRadioButton* radios_[4];
};

} // namespace sarw
