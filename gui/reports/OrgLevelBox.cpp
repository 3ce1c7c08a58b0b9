#include "reports/OrgLevelBox.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace sarw {

OrgLevelBox::OrgLevelBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName("Uroven");
    auto* layout = new QVBoxLayout(this);
    const char* captions[] = {"Podnik", "Zavod", "Sprava", "Stredisko"};
    for (int i = 0; i < 4; ++i) {
        radios_[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        radios_[i]->setObjectName(QString::fromLatin1(captions[i]));
        layout->addWidget(radios_[i]);
    }
    radios_[0]->setChecked(true);
}

OrgLevel OrgLevelBox::level() const {
    for (int i = 0; i < 4; ++i)
        if (radios_[i]->isChecked()) return static_cast<OrgLevel>(i);
    return OrgLevel::Podnik;
}

void OrgLevelBox::setLevel(OrgLevel level) { radios_[static_cast<int>(level)]->setChecked(true); }

} // namespace sarw
