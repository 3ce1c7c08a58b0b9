#include "tools/VCalcul.h"

#include "shell/QtText.h"
#include "shell/WinLSys.h"
#include "tools/DecimalsField.h"
#include "tools/ToolWindows.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sarw {

namespace {

struct Key {
    const char* caption;
    char key;
    int row, column;
};

constexpr Key kKeys[] = {
    {"7", '7', 0, 0}, {"8", '8', 0, 1}, {"9", '9', 0, 2}, {"/", '/', 0, 3}, {"C", 'C', 0, 4},
    {"4", '4', 1, 0}, {"5", '5', 1, 1}, {"6", '6', 1, 2}, {"*", '*', 1, 3}, {"&CE", 'E', 1, 4},
    {"1", '1', 2, 0}, {"2", '2', 2, 1}, {"3", '3', 2, 2}, {"-", '-', 2, 3}, {"Zpet", 'Z', 2, 4},
    {"0", '0', 3, 0}, {",", ',', 3, 1}, {"=", '=', 3, 2}, {"+", '+', 3, 3},
};

} // namespace

VCalcul::VCalcul(Session& s, QWidget* parent) : QWidget(parent, Qt::Window), session_(&s) {
    setObjectName("VCalcul");
    setWindowTitle(QStringLiteral(" Kalkulacka"));
    // Keys reach the window unless the decimals field has them.
    setFocusPolicy(Qt::StrongFocus);
    display_ = new QLineEdit(this);
    display_->setObjectName("displej");
    memory_ = new QLineEdit(this);
    memory_->setObjectName("pamet");
    for (QLineEdit* line : {display_, memory_}) {
        // 25 positions in a fixed font, so that the numbers stand under each other.
        line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        line->setFixedWidth(line->fontMetrics().horizontalAdvance(QString(27, '0')));
        line->setReadOnly(true);
        line->setFocusPolicy(Qt::NoFocus);
        line->setAlignment(Qt::AlignRight);
    }
    decimals_ = new DecimalsField(7, this);
    decimals_->setObjectName("desetiny");
    connect(decimals_, &QLineEdit::editingFinished, this, &VCalcul::refresh);

    auto* grid = new QGridLayout(this);
    grid->addWidget(display_, 0, 0, 1, 5);
    grid->addWidget(memory_, 1, 0, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Pocet des. mist:"), this), 2, 0, 1, 3);
    grid->addWidget(decimals_, 2, 3, 1, 2);
    for (const Key& k : kKeys) {
        auto* b = new QPushButton(QString::fromLatin1(k.caption), this);
        b->setObjectName(QStringLiteral("klavesa") + QLatin1Char(k.key));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, key = k.key] { press(key); });
        grid->addWidget(b, 3 + k.row, k.column);
    }
    auto* end = new QPushButton(QStringLiteral("  &Konec"), this);
    end->setObjectName("konec");
    end->setFocusPolicy(Qt::NoFocus);
    connect(end, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(end, 6, 4);
    placeBottomRight(this);
}

std::string VCalcul::memoryText() const {
    return cp(memory_->text());
}

void VCalcul::showEvent(QShowEvent* e) {
    calc_.reset();
    refresh();
    setFocus();
    QWidget::showEvent(e);
}

void VCalcul::press(char key) {
    const std::string refusal = calc_.press(key);
    refresh();
    if (!refusal.empty()) warning(*session_, refusal);
}

void VCalcul::refresh() {
    display_->setText(qs(calc_.entry()));
    memory_->setText(qs(calc_.memoryLine(decimals_->decimals())));
}

void VCalcul::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    const char c = t.size() == 1 ? t[0].toLatin1() : 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        press('=');
    else if (e->key() == Qt::Key_Escape)
        press('C');
    else if (c == '.' || c == ',')
        press(',');
    else if ((c >= '0' && c <= '9') || c == '*' || c == '/' || c == '+' || c == '-')
        press(c);
    else
        QWidget::keyPressEvent(e);
}

} // namespace sarw
