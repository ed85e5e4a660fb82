// The signal generator settings: one of six test frequencies and the output
// level.  The level is stored as it is typed; Close takes the frequency and
// restarts the tone.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QRadioButton;

namespace varnex {

class DialogHost;

class SigGen : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog from the instrument's tone.
    explicit SigGen(DialogHost& host);

    void txtSigGenLvl_Change();
    void btnClose_Click();

private:
    static constexpr int kFrequencies = 6;

    DialogHost& host_;
    // Index k - 1 is the option with SigGenOptFlag k.
    std::array<QRadioButton*, kFrequencies> options_{};
    QLineEdit* txtSigGenLvl_ = nullptr;
};

}  // namespace varnex
