#include <QSignalSpy>

#include "DialogFixture.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

class CalibrateTest : public testing::DialogFixture {
protected:
    QWidget* open() {
        window->menuCalibrate_Click();
        return openWindow("Calibrate");
    }
    void recordCalls() {
        QObject::connect(window.get(), &Varnex::measured, [this] { calls << "docalib"; });
        QObject::connect(window.get(), &Varnex::scopeDrawn, [this] { calls << "doscope"; });
    }
    QStringList calls;
};

TEST_F(CalibrateTest, LoadShowsBothFactorsAndLeavesTheDefaultsAsTheyWere) {
    QWidget* form = open();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Calibrate Varnex Bridge");
    EXPECT_EQ(box(form, "chBal")->text(), " .9955");
    EXPECT_EQ(box(form, "vcal")->text(), " 2.792E-05");
    EXPECT_EQ(settings().calibration.Bal, 0.9955f);
    EXPECT_EQ(settings().calibration.Vperbit, 0.00002792f);
}

TEST_F(CalibrateTest, LoadRoundsAFactorToTheSevenDigitsShown) {
    settings().calibration.Bal = 0.123456789f;
    settings().calibration.Vperbit = 2.7923456e-5f;
    QWidget* form = open();
    EXPECT_EQ(box(form, "chBal")->text(), " .1234568");
    EXPECT_EQ(settings().calibration.Bal, singleValue(".1234568"));
    EXPECT_NE(settings().calibration.Bal, 0.123456789f);
    EXPECT_EQ(settings().calibration.Vperbit, singleValue("2.792346E-05"));
}

TEST_F(CalibrateTest, VoltsPerBitIsStoredAsTypedButNeverZeroOrNegative) {
    struct Row {
        const char* typed;
        float stored;
    };
    const Row rows[] = {{"-3", 0.0001f},  {"3E-05", 0.00003f}, {"0", 0.0001f},        {"", 0.0001f},
                        {"abc", 0.0001f}, {"1.5E-5", 1.5e-5f}, {"2 .5e-5 V", 2.5e-5f}};
    QLineEdit* vcal = box(open(), "vcal");
    for (const Row& row : rows) {
        typeInto(vcal, row.typed);
        EXPECT_EQ(settings().calibration.Vperbit, row.stored) << "typed '" << row.typed << "'";
        EXPECT_EQ(vcal->text(), row.typed) << "the box keeps the typed text";
    }
}

TEST_F(CalibrateTest, ClearingVoltsPerBitWhileTypingPassesThroughTheFallback) {
    QLineEdit* vcal = box(open(), "vcal");
    typeInto(vcal, "");
    EXPECT_EQ(settings().calibration.Vperbit, 0.0001f);
    QTest::keyClicks(vcal, "3");
    EXPECT_EQ(settings().calibration.Vperbit, 3.0f);
    QTest::keyClicks(vcal, "E-05");
    EXPECT_EQ(settings().calibration.Vperbit, 0.00003f);
}

TEST_F(CalibrateTest, BalanceIsStoredAtOnceWhateverItIs) {
    QLineEdit* chBal = box(open(), "chBal");
    for (auto [typed, stored] :
         {std::pair{"1.02", 1.02f}, {"0", 0.0f}, {"-1", -1.0f}, {"1e6", 1e6f}, {"", 0.0f}}) {
        typeInto(chBal, typed);
        EXPECT_EQ(settings().calibration.Bal, stored) << "typed '" << typed << "'";
    }
}

TEST_F(CalibrateTest, ApplyRecomputesAndStaysOpen) {
    holdACapture();
    recordCalls();
    QWidget* form = open();
    typeInto(box(form, "chBal"), "1.02");
    click(button(form, "cmdApply"));
    EXPECT_EQ(calls, QStringList({"docalib", "doscope"}));
    EXPECT_EQ(settings().calibration.Bal, 1.02f);
    EXPECT_EQ(openCount("Calibrate"), 1);
}

TEST_F(CalibrateTest, CloseUnloadsThenRecomputes) {
    holdACapture();
    recordCalls();
    QPointer<QWidget> form = open();
    bool unloaded = false;
    QObject::connect(window.get(), &Varnex::measured,
                     [&] { unloaded = !form || !form->isVisible(); });
    click(button(form, "cmdClose"));
    EXPECT_EQ(calls, QStringList({"docalib", "doscope"}));
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(openCount("Calibrate"), 0);
}

TEST_F(CalibrateTest, TitleBarCloseBoxKeepsTheEditsWithoutRecomputing) {
    holdACapture();
    recordCalls();
    QWidget* form = open();
    typeInto(box(form, "chBal"), "1.01");
    typeInto(box(form, "vcal"), "3E-05");
    form->close();
    EXPECT_EQ(settings().calibration.Bal, 1.01f);
    EXPECT_EQ(settings().calibration.Vperbit, 0.00003f);
    EXPECT_TRUE(calls.isEmpty()) << calls.join(",").toStdString();
}

}  // namespace
}  // namespace varnex
