#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace sarw {

// The search dialog of the text file editor: the text and where the search begins.
class TFind : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Zadej hledany retezec";

    explicit TFind(QWidget* parent = nullptr);
    // Prefills the text (the selection) and starts at the caret.
    void prepare(const QString& text);

    QLineEdit* needle() const { return needle_; }
    // "Zacatek souboru" rather than "Okamzita pozice".
    bool fromStart() const;

private:
    QLineEdit* needle_;
    QRadioButton* fromCaret_;
    QRadioButton* fromStart_;
};

} // namespace sarw
