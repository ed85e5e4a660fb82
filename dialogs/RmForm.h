// The reference resistor dialog: the exact value of each of the five
// reference resistors and which one is wired in.  Only Close commits.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QRadioButton;

namespace varnex {

class DialogHost;

class RmForm : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog from the instrument's resistors.
    explicit RmForm(DialogHost& host);

    void cmdClose_Click();

private:
    static constexpr int kResistors = 5;

    DialogHost& host_;
    // Row k - 1 is the resistor of option number k (10 ohm to 100 kohm).
    std::array<QRadioButton*, kResistors> options_{};
    std::array<QLineEdit*, kResistors> boxes_{};
};

}  // namespace varnex
