// Controls that tell the truth: a disabled control looks disabled, a chosen
// window comes back, a message box shows its title.
#include <QAction>
#include <QFontDatabase>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include "DialogFixture.h"
#include "app/QtMessageBoxes.h"

namespace varnex {
namespace {

using HonestControlsTest = testing::DialogFixture;

// The darkest grey level inside the control, away from its frame.
int darkestInside(QWidget* control) {
    const QImage image = control->grab().toImage();
    int darkest = 255;
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

TEST_F(HonestControlsTest, Start1IsGreyDuringContinuousCapture) {
    QPushButton* start1 = window->controls().btnStart;
    const int enabledText = darkestInside(start1);
    int disabledText = -1;
    bool disabled = false;
    QObject::connect(window.get(), &Varnex::measured, window.get(), [&] {
        if (disabledText >= 0) return;
        disabled = !start1->isEnabled();
        disabledText = darkestInside(start1);
        QTimer::singleShot(0, window.get(), [&] { window->btnStop_Click(); });
    });
    window->btnRun_Click();
    ASSERT_TRUE(disabled) << "Start1 is switched off while Start2 runs";
    EXPECT_LT(enabledText, 60) << "black caption";
    EXPECT_GT(disabledText, 100) << "the caption of a disabled Start1 is grey, not black";
}

// The palette role a control draws its text with.
QPalette::ColorRole textRole(QWidget* control) {
    if (qobject_cast<QAbstractButton*>(control) && !qobject_cast<QRadioButton*>(control) &&
        !control->inherits("QCheckBox"))
        return QPalette::ButtonText;
    if (qobject_cast<QLineEdit*>(control)) return QPalette::Text;
    return QPalette::WindowText;
}

TEST_F(HonestControlsTest, EveryControlHasAGreyTextWhenDisabled) {
    window->menuCalibrate_Click();
    window->menuRm_Click();
    window->menuSigGen_Click();
    window->myManTare_Click();
    window->myuLMs_Click();
    for (QWidget* form :
         {static_cast<QWidget*>(window.get()), openWindow("Calibrate"), openWindow("RmForm"),
          openWindow("SigGen"), openWindow("ManTare"), openWindow("uLMSform")}) {
        ASSERT_NE(form, nullptr);
        for (QWidget* control : form->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QLineEdit*>(control) &&
                !control->inherits("QLabel"))
                continue;
            const QPalette& p = control->palette();
            const QPalette::ColorRole role = textRole(control);
            const QColor active = p.color(QPalette::Active, role);
            const QColor disabled = p.color(QPalette::Disabled, role);
            EXPECT_NE(disabled, active)
                << form->objectName().toStdString() << "/" << control->objectName().toStdString();
            EXPECT_EQ(disabled.red(), disabled.blue()) << control->objectName().toStdString();
            EXPECT_GT(qGray(disabled.rgb()), 90) << control->objectName().toStdString();
            EXPECT_LT(qGray(disabled.rgb()), 200) << control->objectName().toStdString();
        }
    }
}

TEST_F(HonestControlsTest, ChoosingAMenuEntryAgainRestoresItsMinimisedWindow) {
    const std::pair<const char*, const char*> entries[] = {
        {"menuCalibrate", "Calibrate"}, {"menuRm", "RmForm"},     {"myuLMs", "uLMSform"},
        {"menuSigGen", "SigGen"},       {"myManTare", "ManTare"}, {"menuHelp", "MyHelp"}};
    for (const auto& [menu, name] : entries) {
        auto* action = window->findChild<QAction*>(menu);
        ASSERT_NE(action, nullptr) << menu;
        action->setEnabled(true);  // uLMS is switched off on the menu bar
        action->trigger();
        QWidget* dialog = openWindow(name);
        ASSERT_NE(dialog, nullptr) << name;
        dialog->showMinimized();
        ASSERT_TRUE(dialog->isMinimized()) << name;
        action->trigger();
        EXPECT_EQ(openWindow(name), dialog) << name << ": the open one is brought back";
        EXPECT_FALSE(dialog->isMinimized()) << name;
        EXPECT_TRUE(dialog->isVisible()) << name;
    }
}

TEST_F(HonestControlsTest, MessageBoxesLeaveTheirTitleBarRoomForTheTitle) {
    // The program's boxes; a title bar needs the title, in a bold title font,
    // and about 150 pixels for the window's icon and buttons.
    const std::pair<const char*, const char*> boxes[] = {
        {"Reminder", "Set Mixer"},
        {"Exit Check", "Use Exit button to close"},
        {"Ouch!", "Wave input device did not open!"},
        {"Clear Tare Values", "This will set all tare values to zero. Continue ?"},
        {"Varnex Bridge Program", "Varnex 1.0"}};
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    for (const auto& [title, text] : boxes) {
        MessageRequest request;
        request.title = title;
        request.text = text;
        const std::unique_ptr<QMessageBox> box = QtMessageBoxes::build(request);
        box->show();
        QCoreApplication::processEvents();
        EXPECT_GE(box->width(), QFontMetrics(titleFont).horizontalAdvance(title) + 150) << title;
        EXPECT_EQ(box->windowTitle(), title);
        EXPECT_EQ(box->text(), text);
        box->close();
    }
}

}  // namespace
}  // namespace varnex
