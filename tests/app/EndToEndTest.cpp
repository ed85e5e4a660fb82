// Start1 in the real window on the simulated bridge: the boxes read what a
// meter should read for known components.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

#include "WindowFixture.h"

namespace varnex {
namespace {

struct Case {
    const char* component;
    const char* Label16;         // nullptr: a resistor, whose tiny reactance may take either sign
    double Rs, Xs, absZ, angle;  // ohms and degrees
    double LsOrCs;               // in the unit the box shows
    const char* unit;
    const char* Label17;
};

// Test names carry the component, not the bytes of the case.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.component;
}

class EndToEndTest : public testing::WindowFixture, public ::testing::WithParamInterface<Case> {};

TEST_P(EndToEndTest, OneCaptureReadsTheComponent) {
    const Case& want = GetParam();
    SimulatedBridgeOptions options = bridgeWith(want.component);
    options.circuit.referenceResistance = 1000;
    open(devicesOf(options));
    Varnex& window = *this->window;
    window.instrument().settings().resistors.Rm = 1000;
    window.show();

    QTest::mouseClick(window.controls().btnStart, Qt::LeftButton);

    const VarnexControls& c = window.controls();
    auto number = [](QLineEdit* box) {
        bool isNumber = false;
        const double value = box->text().toDouble(&isNumber);
        EXPECT_TRUE(isNumber) << box->objectName().toStdString() << " reads \""
                              << box->text().toStdString() << '"';
        return value;
    };
    const double ohms = 0.002 * want.absZ + 0.5;  // 0.2 % of |Z|
    EXPECT_NEAR(number(c.Text4), want.Rs, ohms) << "Rs";
    EXPECT_NEAR(number(c.Text3), want.Xs, ohms) << "Xs";
    EXPECT_NEAR(number(c.Text2), want.absZ, ohms) << "|Z|";
    // The angle is the principal value: a pure reactance with a hair of negative
    // resistance reads -90 instead of +90.
    EXPECT_NEAR(std::fabs(number(c.Text1)), want.angle, 0.2) << "angle";
    if (!want.Label16) return;
    EXPECT_EQ(c.Label16->text().toStdString(), want.Label16);
    EXPECT_EQ(c.Label17->text().toStdString(), want.Label17);
    number(c.Text6);  // Q or D is a number too
    const QString value = c.Text5->text();
    EXPECT_TRUE(value.endsWith(want.unit)) << value.toStdString();
    EXPECT_NEAR(value.chopped(2).toDouble(), want.LsOrCs, 0.003 * want.LsOrCs)
        << value.toStdString();
}

// At 1225 Hz: 100 nF is -1299.2 ohm, 10 mH is +76.97 ohm.
INSTANTIATE_TEST_SUITE_P(
    KnownComponents, EndToEndTest,
    ::testing::Values(Case{"R=1k", nullptr, 1000, 0, 1000, 0, 0, "", ""},
                      Case{"C=100n", "Cs", 0, -1299.2, 1299.2, 90, 0.1, "uF", "D"},
                      Case{"L=10m", "Ls", 0, 76.97, 76.97, 90, 10, "mH", "Q"}));

}  // namespace
}  // namespace varnex
