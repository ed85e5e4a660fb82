// The rule for showing a dialog: one instance, opened afresh after closing,
// no owner; Exit closes them all.
#include <QAction>
#include <QSignalSpy>

#include "DialogFixture.h"

namespace varnex {
namespace {

using DialogRuleTest = testing::DialogFixture;

struct Entry {
    const char* menu;  // the menu entry's objectName
    void (Varnex::*handler)();
    const char* dialog;
};
const Entry kEntries[] = {{"menuCalibrate", &Varnex::menuCalibrate_Click, "Calibrate"},
                          {"menuRm", &Varnex::menuRm_Click, "RmForm"},
                          {"myuLMs", &Varnex::myuLMs_Click, "uLMSform"},
                          {"menuSigGen", &Varnex::menuSigGen_Click, "SigGen"},
                          {"menuHelp", &Varnex::menuHelp_Click, "MyHelp"}};

TEST_F(DialogRuleTest, MenuEntryOpensOneModelessWindowWithoutOwner) {
    for (const Entry& e : kEntries) {
        auto* action = window->findChild<QAction*>(e.menu);
        ASSERT_NE(action, nullptr) << e.menu;
        action->setEnabled(true);  // uLMS is switched off on the menu bar
        action->trigger();
        QWidget* first = openWindow(e.dialog);
        ASSERT_NE(first, nullptr) << e.menu;
        EXPECT_EQ(first->parentWidget(), nullptr) << e.dialog;
        EXPECT_EQ(first->windowModality(), Qt::NonModal) << e.dialog;
        (window.get()->*e.handler)();
        EXPECT_EQ(openCount(e.dialog), 1) << e.dialog;
        EXPECT_EQ(openWindow(e.dialog), first) << e.dialog << ": the open one is only raised";
    }
}

TEST_F(DialogRuleTest, OpeningAgainKeepsTheEditsAndAfterClosingLoadsAfresh) {
    window->menuRm_Click();
    typeInto(box(openWindow("RmForm"), "txtRm100"), "222");
    window->menuRm_Click();
    EXPECT_EQ(box(openWindow("RmForm"), "txtRm100")->text(), "222") << "not loaded again";
    openWindow("RmForm")->close();
    window->menuRm_Click();
    EXPECT_EQ(box(openWindow("RmForm"), "txtRm100")->text(), " 100.3") << "loaded afresh";
}

TEST_F(DialogRuleTest, ExitClosesEveryDialogWithoutTheirCloseSteps) {
    for (const Entry& e : kEntries) (window.get()->*e.handler)();
    typeInto(box(openWindow("RmForm"), "txtRm10"), "11");
    typeInto(box(openWindow("SigGen"), "txtSigGenLvl"), "0.75");
    QSignalSpy drawn(window.get(), &Varnex::scopeDrawn);
    QSignalSpy restarted(window.get(), &Varnex::toneRestarted);
    window->btnExit_Click();
    for (const Entry& e : kEntries) EXPECT_EQ(openCount(e.dialog), 0) << e.dialog;
    EXPECT_EQ(settings().resistors.Rm10, 10.1f) << "RmForm discards";
    EXPECT_EQ(settings().SigGenLvl, 0.75) << "a typed level stays";
    EXPECT_EQ(restarted.count(), 0);
    EXPECT_EQ(drawn.count(), 1) << "the step-size dialog's unload event redraws";
}

TEST_F(DialogRuleTest, OpenDialogsGoWithTheMainWindow) {
    window->menuCalibrate_Click();
    QPointer<QWidget> dialog = openWindow("Calibrate");
    ASSERT_FALSE(dialog.isNull());
    window.reset();
    EXPECT_TRUE(dialog.isNull()) << "a dialog outliving the main window would refer to it";
}

}  // namespace
}  // namespace varnex
