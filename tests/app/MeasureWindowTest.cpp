// The measurement as the main window shows it: the readings boxes, "Reset",
// "Clear Tare" and the manual tare dialog.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

class MeasureWindowTest : public testing::WindowFixture {
protected:
    void SetUp() override { open({}); }

    // The window on the simulated bridge with the component between the
    // resistor and ground (noise-free), or on no sound device at all.
    void start(const char* component, double referenceResistance = 100) {
        SimulatedBridgeOptions options = bridgeWith(component);
        options.circuit.referenceResistance = referenceResistance;
        options.noiseSteps = 0;
        open(devicesOf(options));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "ManTare") w->close();
        WindowFixture::TearDown();
    }

    QString text(const char* name) { return textOf(window.get(), name); }
    static QWidget* manTare() {
        QWidget* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "ManTare" && w->isVisible()) {
                EXPECT_EQ(found, nullptr) << "two tare dialogs are open";
                found = w;
            }
        return found;
    }
};

TEST_F(MeasureWindowTest, ResistorEqualToRmReadsItsValue) {
    start("R=1k", 1000);
    settings().resistors.Rm = 1000;
    QSignalSpy measured(window.get(), &Varnex::measured);
    window->btnStart_Click();
    // Several runs converge the weights, as repeated captures would.
    for (int run = 0; run < 2; ++run) window->docalib();
    EXPECT_EQ(measured.count(), 3);
    EXPECT_NEAR(text("Text4").toDouble(), 1000, 1);
    EXPECT_NEAR(text("Text2").toDouble(), 1000, 1);
    EXPECT_NEAR(text("Text1").toDouble(), 0, 0.1);
    EXPECT_NEAR(text("Text3").toDouble(), 0, 1);
    EXPECT_EQ(text("txtuLMS").toStdString(), paddedForm(settings().steps.uLMS));
}

TEST_F(MeasureWindowTest, CapacitorShowsCsAndD) {
    // 100 nF at 1225 Hz: Xs = -1299.2 ohm.
    start("C=100n", 1000);
    settings().resistors.Rm = 1000;
    window->btnStart_Click();
    for (int run = 0; run < 2; ++run) window->docalib();
    EXPECT_EQ(text("Label16"), "Cs");
    EXPECT_EQ(text("Label17"), "D");
    EXPECT_TRUE(text("Text5").endsWith("uF")) << text("Text5").toStdString();
    EXPECT_NEAR(text("Text5").chopped(2).toDouble(), 0.1, 0.0005);
    EXPECT_NEAR(text("Text1").toDouble(), -90, 0.1);
}

TEST_F(MeasureWindowTest, NoCaptureMeansNoMeasurement) {
    QSignalSpy measured(window.get(), &Varnex::measured);
    window->docalib();
    EXPECT_EQ(measured.count(), 0);
    EXPECT_EQ(text("Text4"), "   0");
}

TEST_F(MeasureWindowTest, ResetClearsTheWeights) {
    start("R=50");
    window->btnStart_Click();
    const EstimatorState& e = window->instrument().estimator();
    ASSERT_GT(e.Wi[11025], 0.4f);
    window->findChild<QAction*>("menuResetLMS")->trigger();
    EXPECT_EQ(e.Wi[11024], 0.0f);
    EXPECT_EQ(e.Wq[11024], 0.0f);
}

TEST_F(MeasureWindowTest, ClearTareAsksAndNoLeavesEverything) {
    Tare& s = settings().tare;
    s.Ctare = 1e-11f;
    s.Ltare = 2e-6f;
    s.Rtare = 0.5f;
    window->findChild<QAction*>("menuTareClear")->trigger();  // unanswered: the default, No
    ASSERT_EQ(boxes.shown.size(), 1u);
    const MessageRequest& question = boxes.shown.back();
    EXPECT_EQ(question.title, "Clear Tare Values");
    EXPECT_EQ(question.text, "This will set all tare values to zero. Continue ?");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MessageAnswer::No);
    EXPECT_EQ(question.icon, MessageIcon::None);
    EXPECT_EQ(s.Ctare, 1e-11f);
    EXPECT_EQ(s.Rtare, 0.5f);

    boxes.answers.push_back(MessageAnswer::Yes);
    window->findChild<QAction*>("menuTareClear")->trigger();
    EXPECT_EQ(s.Ctare, 0.0f);
    EXPECT_EQ(s.Ltare, 0.0f);
    EXPECT_EQ(s.Rtare, 0.0f);
    EXPECT_EQ(text("txtLtare"), "00.00 uH");
    EXPECT_EQ(text("txtCtare"), "0.00 pF");
    EXPECT_EQ(text("txtRtare"), "0.00");
}

TEST_F(MeasureWindowTest, ManualTareDialogLoadsAppliesAndMeasures) {
    start("R=100");
    const Tare& s = settings().tare;
    settings().tare.Ctare = 3.3e-12f;
    window->myManTare_Click();
    QWidget* dialog = manTare();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Manual Tare");
    auto* txtC = dialog->findChild<QLineEdit*>("txtC");
    auto* txtL = dialog->findChild<QLineEdit*>("txtL");
    auto* txtR = dialog->findChild<QLineEdit*>("txtR");
    EXPECT_EQ(txtC->text(), "03.30");
    EXPECT_EQ(txtL->text(), "00.00");
    EXPECT_EQ(txtR->text(), "0.00");

    window->myManTare_Click();  // open already: only brought to the front
    EXPECT_EQ(manTare(), dialog);

    txtC->setText("12.5 pF");
    txtL->setText("2");
    txtR->setText("abc");
    window->btnStart_Click();  // a capture to measure again
    QSignalSpy measured(window.get(), &Varnex::measured);
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FLOAT_EQ(s.Ctare, 12.5e-12f);
    EXPECT_FLOAT_EQ(s.Ltare, 2e-6f);
    EXPECT_EQ(s.Rtare, 0.0f);
    EXPECT_EQ(text("txtLtare"), "2.00 uH");
    EXPECT_EQ(text("txtCtare"), "12.50 pF");
    EXPECT_EQ(measured.count(), 1) << "Close measures the last capture again";
    EXPECT_EQ(manTare(), nullptr);
}

TEST_F(MeasureWindowTest, ManualTareTitleBarCloseAppliesNothing) {
    const Tare& s = settings().tare;
    window->myManTare_Click();
    QWidget* dialog = manTare();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("txtC")->setText("20");
    dialog->close();
    EXPECT_EQ(s.Ctare, 0.0f);
    EXPECT_EQ(text("txtCtare"), "0.00 pF");
    window->myManTare_Click();  // opens afresh, from the values
    ASSERT_NE(manTare(), nullptr);
    EXPECT_EQ(manTare()->findChild<QLineEdit*>("txtC")->text(), "00.00");
}

TEST_F(MeasureWindowTest, ManualTareTabOrder) {
    window->myManTare_Click();
    QWidget* dialog = manTare();
    ASSERT_NE(dialog, nullptr);
    QStringList order;
    QWidget* w = dialog->findChild<QLineEdit*>("txtC");
    for (int i = 0; i < 4; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order, QStringList({"txtC", "txtL", "Command1", "txtR"}));
}

}  // namespace
}  // namespace varnex
