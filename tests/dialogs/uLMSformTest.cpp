#include <QAction>
#include <QLabel>
#include <QSignalSpy>

#include "DialogFixture.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

class uLMSformTest : public testing::DialogFixture {
protected:
    // The main window's operations in the order they ran.
    void recordCalls() {
        QObject::connect(window.get(), &Varnex::measured, [this] { calls << "docalib"; });
        QObject::connect(window.get(), &Varnex::scopeDrawn, [this] { calls << "doscope"; });
    }
    QStringList calls;
};

TEST_F(uLMSformTest, LoadShowsTheFiveStepSizesAndTheThirdOption) {
    EXPECT_FALSE(window->controls().myuLMs->isVisible()) << "the menu entry is hidden";
    window->myuLMs_Click();
    QWidget* form = openWindow("uLMSform");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "LMS Parameter");
    const char* boxes[] = {"txtLMS1", "txtLMS2", "txtLMS3", "txtLMS4", "txtLMS5"};
    const char* shown[] = {" .0055", " .025", " .055", " .075", " .095"};
    const char* options[] = {"optLMS1", "optLMS2", "optLMS3", "optLMS4", "optLMS5"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(box(form, boxes[i])->text(), shown[i]) << boxes[i];
        EXPECT_EQ(button(form, options[i])->isChecked(), i == 2) << options[i];
    }
    EXPECT_EQ(child<QLabel>(form, "labLMS1")->text(), "Slow convergence.. Small error");
    EXPECT_EQ(child<QLabel>(form, "labLMS3")->text(), "Intermediate convergence");
    EXPECT_EQ(child<QLabel>(form, "labLMS5")->text(), "Fastest convergence.. Large error");
}

TEST_F(uLMSformTest, CloseWithoutCaptureCommitsAndRedrawsTwice) {
    recordCalls();
    window->myuLMs_Click();
    QWidget* form = openWindow("uLMSform");
    click(button(form, "optLMS5"));
    click(button(form, "btnClose"));
    EXPECT_EQ(settings().steps.uLMS, 0.095f);
    EXPECT_EQ(settings().steps.LMSOptFlag, 5);
    EXPECT_EQ(window->controls().txtuLMS->text(), " .095");
    EXPECT_EQ(calls, QStringList({"doscope", "doscope"}))
        << "docalib measures nothing without a capture";
    EXPECT_EQ(openCount("uLMSform"), 0);
}

TEST_F(uLMSformTest, CloseWithCaptureMeasuresAndRedrawsTwiceAfterCommitting) {
    holdACapture();
    recordCalls();
    window->myuLMs_Click();
    QPointer<QWidget> form = openWindow("uLMSform");
    click(button(form, "optLMS1"));
    typeInto(box(form, "txtLMS1"), ".004");
    QList<float> stepWhenMeasured;
    QList<bool> openWhenMeasured;
    QObject::connect(window.get(), &Varnex::measured, [&] {
        stepWhenMeasured << settings().steps.uLMS1 << settings().steps.LMSOptFlag;
        openWhenMeasured << (form && form->isVisible());
    });
    click(button(form, "btnClose"));
    EXPECT_EQ(calls, QStringList({"docalib", "doscope", "docalib", "doscope"}));
    EXPECT_EQ(stepWhenMeasured, QList<float>({0.004f, 1, 0.004f, 1}))
        << "committed before measuring";
    // The estimator replaces the chosen step with its own, and the box shows it.
    EXPECT_NE(settings().steps.uLMS, 0.004f);
    EXPECT_EQ(window->controls().txtuLMS->text().toStdString(), paddedForm(settings().steps.uLMS));
    ASSERT_EQ(openWhenMeasured.size(), 2);
    EXPECT_FALSE(openWhenMeasured[1]) << "the second recompute follows the unload";
    EXPECT_EQ(settings().steps.uLMS1, 0.004f);
    EXPECT_EQ(settings().steps.LMSOptFlag, 1);
}

TEST_F(uLMSformTest, EditingAnUnselectedStepChangesOnlyThatEntry) {
    window->myuLMs_Click();
    QWidget* form = openWindow("uLMSform");
    typeInto(box(form, "txtLMS2"), "0.03");
    typeInto(box(form, "txtLMS4"), "x");
    click(button(form, "btnClose"));
    EXPECT_EQ(settings().steps.uLMS2, 0.03f);
    EXPECT_EQ(settings().steps.uLMS4, 0.0f) << "a box without a number gives 0";
    EXPECT_EQ(settings().steps.uLMS, 0.055f);
    EXPECT_EQ(settings().steps.uLMS5, 0.095f);
}

TEST_F(uLMSformTest, TitleBarCloseBoxKeepsTheVariablesButRecomputesOnce) {
    holdACapture();
    recordCalls();
    window->myuLMs_Click();
    QWidget* form = openWindow("uLMSform");
    click(button(form, "optLMS1"));
    typeInto(box(form, "txtLMS1"), "0.5");
    form->close();
    EXPECT_EQ(calls, QStringList({"docalib", "doscope"}));
    EXPECT_NE(settings().steps.uLMS, 0.5f) << "the typed step is discarded";
    EXPECT_EQ(settings().steps.uLMS1, 0.0055f);
    EXPECT_EQ(settings().steps.LMSOptFlag, 3);
    // The recompute shows the estimator's own step.
    EXPECT_EQ(window->controls().txtuLMS->text().toStdString(), paddedForm(settings().steps.uLMS));
}

}  // namespace
}  // namespace varnex
