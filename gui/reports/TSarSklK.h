#pragma once

#include "reports/ListWindow.h"
#include "reports/USarSklK.h"

class QLineEdit;

namespace sarw {

// The stock cards of a period range, one unit and a material prefix; Ctrl+F1 in the material
// field picks a material from the turnovers of the range.
class TSarSklK : public ListWindow {
    Q_OBJECT
public:
    explicit TSarSklK(Session& s, QWidget* parent = nullptr);

    // "od", "do", "material", "zavod", "sprava", "stredisko".
    QLineEdit* field(const char* name) const;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    CardSelection selection() const;
    void showSelection(const CardSelection& sel);
    void pickMaterial();

    QLineEdit *from_, *to_, *material_, *plant_, *unit_, *centre_;
    int units_ = 0;
};

} // namespace sarw
