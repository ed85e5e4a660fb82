// The calibration dialog: volts per sample step and the channel balance.
// Each edit is stored at once; Apply and Close measure and redraw again.
#pragma once

#include <QWidget>

class QLineEdit;

namespace varnex {

class DialogHost;

class Calibrate : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog: shows both factors (and stores the shown text back).
    explicit Calibrate(DialogHost& host);

    void chBal_Change();
    void vcal_Change();
    void cmdApply_Click();
    void cmdClose_Click();

private:
    DialogHost& host_;
    QLineEdit* chBal_ = nullptr;
    QLineEdit* vcal_ = nullptr;
};

}  // namespace varnex
