#include "editors/TFind.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sarw {

TFind::TFind(QWidget* parent) : QDialog(parent) {
    setObjectName("TFind");
    setWindowTitle(QString::fromLatin1(kCaption));
    needle_ = new QLineEdit(this);
    needle_->setObjectName("Needle");
    fromCaret_ = new QRadioButton(QStringLiteral("Okamzita pozice"), this);
    fromStart_ = new QRadioButton(QStringLiteral("Zacatek souboru"), this);
    auto* run = new QPushButton(QStringLiteral("Proved"), this);
    run->setObjectName("Proved");
    run->setDefault(true);
    connect(run, &QPushButton::clicked, this, &QDialog::accept);

    auto* starts = new QHBoxLayout;
    starts->addWidget(fromCaret_);
    starts->addWidget(fromStart_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(needle_);
    layout->addLayout(starts);
    layout->addWidget(run, 0, Qt::AlignRight);
}

void TFind::prepare(const QString& text) {
    needle_->setText(text);
    needle_->selectAll();
    needle_->setFocus();
    fromCaret_->setChecked(true);
}

bool TFind::fromStart() const {
    return fromStart_->isChecked();
}

} // namespace sarw
