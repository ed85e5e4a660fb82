// The LMS step-size dialog: five editable step sizes and the choice among
// them.  Close commits; every way of closing measures and redraws again.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QRadioButton;

namespace varnex {

class DialogHost;

class uLMSform : public QWidget {
    Q_OBJECT
public:
    // Loads the dialog from the instrument's step sizes.
    explicit uLMSform(DialogHost& host);

    void btnClose_Click();

protected:
    // The unload event: runs for Close, the title-bar box and Exit alike.
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kSteps = 5;

    DialogHost& host_;
    // Row k - 1 is step size k.
    std::array<QRadioButton*, kSteps> options_{};
    std::array<QLineEdit*, kSteps> boxes_{};
};

}  // namespace varnex
