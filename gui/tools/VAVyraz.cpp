#include "tools/VAVyraz.h"

#include "shell/LSysDate.h"
#include "shell/QtText.h"
#include "shell/WinLSys.h"
#include "tools/DecimalsField.h"
#include "tools/LHVyraz.h"
#include "tools/ToolWindows.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sarw {

VAVyraz::VAVyraz(Session& s, QWidget* parent) : QWidget(parent, Qt::Window), session_(&s) {
    setObjectName("VAVyraz");
    setWindowTitle(QStringLiteral(" Vypocet hodnoty aritmetickeho vyrazu"));
    expression_ = new QLineEdit(this);
    expression_->setObjectName("vyraz");
    expression_->setFixedWidth(620);
    result_ = new QLineEdit(this);
    result_->setObjectName("vysledek");
    result_->setReadOnly(true);
    result_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    decimals_ = new DecimalsField(5, this);
    decimals_->setObjectName("desetiny");
    auto* computeButton = new QPushButton(QStringLiteral("  Vypocet"), this);
    computeButton->setObjectName("vypocet");
    auto* endButton = new QPushButton(QStringLiteral("  Konec"), this);
    endButton->setObjectName("konec");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Aritmeticky vyraz:"), this), 0, 0, 1, 4);
    grid->addWidget(expression_, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Vysledek:"), this), 2, 0);
    grid->addWidget(result_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pocet desetinnych mist:"), this), 3, 0);
    grid->addWidget(decimals_, 3, 1);
    grid->addWidget(computeButton, 2, 3);
    grid->addWidget(endButton, 3, 3);

    connect(expression_, &QLineEdit::returnPressed, this, &VAVyraz::compute);
    connect(computeButton, &QPushButton::clicked, this, &VAVyraz::compute);
    connect(endButton, &QPushButton::clicked, this, &QWidget::close);
    placeBottomRight(this);
    expression_->setFocus();
}

void VAVyraz::compute() {
    const std::string text = cp(expression_->text());
    if (isBlank(text)) return;
    const CalcResult r = evaluate(text);
    if (!r.ok()) {
        result_->clear();
        warning(*session_, r.error);
        return;
    }
    result_->setText(qs(resultText(r.value, decimals_->decimals())));
}

} // namespace sarw
