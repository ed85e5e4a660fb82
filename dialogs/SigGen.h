// The signal generator settings: one of six test frequencies and the output
// level.  The level is stored as it is typed; Close takes the frequency and
// restarts the tone.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QLineEdit;
class QRadioButton;

namespace varnex {

class DialogHost;

// The generator's option selected at every start: 1225 Hz.
inline constexpr int16_t kStartSigGenOption = 2;

class SigGen : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog from the host's SigGenOptFlag and the instrument's level.
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
