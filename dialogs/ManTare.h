// The manual tare dialog: three boxes for the capacitance (pF), inductance
// (uH) and resistance (ohm) tares.  Close applies them, rewrites the main
// window's tare boxes and measures the last capture again; the title-bar
// close box applies nothing.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace varnex {

class DialogHost;

class ManTare : public QWidget {
    Q_OBJECT
public:
    // Loading fills the boxes from the current tares.
    explicit ManTare(DialogHost& host);

    void Command1_Click();

private:
    DialogHost& host_;
    QLineEdit* txtC_;
    QLineEdit* txtL_;
    QLineEdit* txtR_;
    QPushButton* Command1_;
};

}  // namespace varnex
