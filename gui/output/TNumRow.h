#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace sarw {

class Session;

// The print settings window: rows per printed page, orientation and the report font, kept in
// NumRowFont.Dat when the window closes.
class TNumRow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "  Zadej pocet radku tistene stranky !";

    explicit TNumRow(Session& s, QWidget* parent = nullptr);

    QLineEdit* rowsField() const { return rows_; }
    QComboBox* orientationList() const { return orientation_; }
    // The printer button: the report font, then the printer's page giving the rows.
    void choosePrinterFont();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showSettings();

    Session& s_;
    QLineEdit* rows_;
    QComboBox* orientation_;
};

} // namespace sarw
