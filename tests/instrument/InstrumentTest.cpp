// The instrument on its own, as the command line will drive it: no window,
// no QApplication.
#include "instrument/Instrument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>

#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"
#include "measure/ParallelReadings.h"
#include "measure/TareText.h"

namespace varnex {
namespace {

struct Bench {
    explicit Bench(const char* component, bool hasInput = true, bool referenceFollows = false) {
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent(component);
        options.realTime = false;
        options.hasInput = hasInput;
        options.referenceFollows = referenceFollows;
        SimulatedBridge bridge = makeSimulatedBridge(options);
        instrument = std::make_unique<Instrument>(
            SoundDevices{std::move(bridge.player), std::move(bridge.input), nullptr,
                         std::move(bridge.reference)},
            MeasurementHooks{
                [this] { ++yields; }, [this](const ImpedanceReading& r) { reading = r; }, {}});
    }

    // Start1 as the window makes it: open, record, measure.
    bool capture() {
        return instrument->captureSingle({{}, [this] { instrument->measure(); }, {}});
    }

    std::unique_ptr<Instrument> instrument;
    std::optional<ImpedanceReading> reading;
    int yields = 0;
};

TEST(Instrument, ACaptureOnTheSimulatedBridgeReadsTheComponent) {
    struct Row {
        const char* component;
        double frequency;
        double Rs, Xs;  // ohms at that frequency, on the 100 ohm reference
        ReactanceKind kind;
        double seriesValue;  // henries or farads
    };
    const double w1225 = 2 * std::numbers::pi * 1225, w120 = 2 * std::numbers::pi * 120;
    const Row rows[] = {
        {"L=10m,R=20", 1225, 20, w1225 * 0.01, ReactanceKind::Inductive, 0.01},
        {"C=1u,R=5", 120, 5, -1 / (w120 * 1e-6), ReactanceKind::Capacitive, 1e-6},
        {"R=47", 1000, 47, 0, ReactanceKind::Inductive, 0},
    };
    for (const Row& row : rows) {
        Bench b(row.component);
        Instrument& instrument = *b.instrument;
        instrument.setFrequency(row.frequency);
        ASSERT_TRUE(instrument.playTone()) << row.component;
        // Continuous capture: the weights of one capture go on into the next.
        for (int capture = 0; capture < 3; ++capture) ASSERT_TRUE(b.capture()) << row.component;
        ASSERT_TRUE(b.reading) << row.component;
        const SeriesReadings r = seriesReadings(*b.reading);
        const double z = std::hypot(row.Rs, row.Xs);
        EXPECT_NEAR(r.resistance, row.Rs, 2e-3 * z + 0.02) << row.component;
        EXPECT_NEAR(r.reactance, row.Xs, 2e-3 * z + 0.02) << row.component;
        EXPECT_NEAR(r.magnitude, z, 2e-3 * z) << row.component;
        EXPECT_EQ(b.reading->frequency, row.frequency) << row.component;
        EXPECT_EQ(b.reading->referenceResistance, 100) << row.component;
        if (row.seriesValue != 0) {
            EXPECT_EQ(r.kind, row.kind) << row.component;
            const float value = row.kind == ReactanceKind::Inductive ? r.inductance : r.capacitance;
            EXPECT_NEAR(value, row.seriesValue, 3e-3 * row.seriesValue) << row.component;
        }
        EXPECT_EQ(instrument.lastReading()->Wq, b.reading->Wq) << row.component;
        EXPECT_EQ(b.yields, 3 * 7) << row.component << ": one yield per capture, six per run";
        EXPECT_FALSE(instrument.busy()) << row.component;
        EXPECT_EQ(instrument.capture().DataReady, kTrue) << row.component;
    }
}

TEST(Instrument, FromTenHertzToTwentyKilohertzItReadsResistorsInductorsAndCapacitors) {
    // Parts whose impedance matches the 100 ohm reference at each frequency:
    // a resistor, a coil with a Q of 10, a capacitor.  The tolerances are ten
    // times the scatter measured on the simulated bridge at its default noise
    // (|Z| within 0.002 %, the angle within 0.002 degrees, at every frequency).
    constexpr double kMagnitude = 2e-4;  // relative
    constexpr double kDegrees = 0.02;
    for (double hertz : {10.0, 50.0, 1234.0, 1234.5, 15000.0, 20000.0}) {
        const double omega = 2 * std::numbers::pi * hertz;
        char inductor[64], capacitor[64];
        std::snprintf(inductor, sizeof inductor, "L=%.9g,R=10", 100 / omega);
        std::snprintf(capacitor, sizeof capacitor, "C=%.9g", 1 / (100 * omega));
        for (const std::string& part :
             {std::string("R=100"), std::string(inductor), std::string(capacitor)}) {
            const std::string row = part + " at " + std::to_string(hertz) + " Hz";
            Bench b(part.c_str());
            Instrument& instrument = *b.instrument;
            ASSERT_EQ(instrument.setFrequency(hertz), hertz) << row;
            ASSERT_TRUE(instrument.playTone()) << row;
            // Back to back as the command line takes them: the first capture
            // begins with the tone.
            ASSERT_EQ(instrument.captureContinuously({{}, [&] { instrument.measure(); }, {}}, 3),
                      ContinuousEnd::Counted)
                << row;
            const ImpedanceReading& r = instrument.lastReading().value();
            EXPECT_EQ(r.frequency, hertz) << row;
            const std::complex<double> want = parseComponent(part)->impedanceAt(hertz);
            const std::complex<double> got = impedanceOf(r);
            EXPECT_NEAR(std::abs(got) / std::abs(want), 1, kMagnitude) << row;
            EXPECT_NEAR(fullAngle(got), fullAngle(want), kDegrees) << row;
            const SeriesReadings s = seriesReadings(r);
            if (part.starts_with("L")) {
                EXPECT_NEAR(s.inductance * omega / 100, 1, 2 * kMagnitude) << row;
            } else if (part.starts_with("C")) {
                EXPECT_NEAR(s.capacitance * 100 * omega, 1, 2 * kMagnitude) << row;
            }
        }
    }
}

TEST(Instrument, ABridgeWithASwitchGetsTheReferenceEachCaptureIsMeasuredWith) {
    // 1 kohm measured against Rm: right when the bridge holds Rm, ten times
    // too much when it keeps its 100 ohm.
    for (const bool follows : {true, false}) {
        Bench b("R=1k", true, follows);
        Instrument& instrument = *b.instrument;
        instrument.playTone();
        for (const float Rm : {1000.0f, 10000.0f}) {
            instrument.setReference(Rm);
            ASSERT_TRUE(b.capture());
            ASSERT_TRUE(b.capture()) << "a second capture, the weights settled";
            const double wants = follows ? 1000 : 1000 * Rm / 100;
            EXPECT_NEAR(impedanceOf(*b.reading).real(), wants, 1e-3 * wants)
                << (follows ? "switched" : "fixed") << " bridge, Rm " << Rm;
        }
    }
}

TEST(Instrument, StopForgetsTheCaptureAndWithoutAnInputNothingIsRecorded) {
    Bench b("R=100");
    Instrument& instrument = *b.instrument;
    instrument.playTone();
    ASSERT_TRUE(b.capture());
    EXPECT_EQ(instrument.captureContinuously({}, 1), ContinuousEnd::Counted);
    EXPECT_TRUE(instrument.busy()) << "Exit must wait while continuous capture runs";
    instrument.stop();
    EXPECT_FALSE(instrument.continuous());
    EXPECT_FALSE(instrument.busy());
    EXPECT_EQ(instrument.measure(), RunOutcome::NotReady)
        << "Stop leaves no capture to measure again";

    Bench none("R=100", false);
    EXPECT_FALSE(none.capture());
    EXPECT_EQ(none.instrument->capture().Captured, 0);
    Instrument silent(SoundDevices{});
    EXPECT_FALSE(silent.playTone()) << "no output device";
    std::optional<CaptureFailure> failure;
    EXPECT_FALSE(silent.captureSingle({{}, {}, [&](CaptureFailure f) { failure = f; }}));
    EXPECT_EQ(failure, CaptureFailure::InputDidNotOpen) << "no input device";
}

TEST(Instrument, ParametersAsTheDialogsCommitThem) {
    Instrument instrument(SoundDevices{});
    Settings& s = instrument.settings();

    instrument.setReference(998.7f);
    EXPECT_EQ(s.resistors.Rm, 998.7f);
    instrument.setStoredResistors({11, 101, 1001, 10001, 100001});
    EXPECT_EQ(s.resistors.Rm, 998.7f) << "storing the values wires none in";
    EXPECT_EQ(s.resistors.Rm10, 11);
    EXPECT_EQ(s.resistors.Rm100000, 100001);

    instrument.setStepSize(0.05f);
    instrument.setOfferedStepSizes({0.01f, 0.02f, 0.03f, 0.04f, 0.06f});
    EXPECT_EQ(s.steps.uLMS, 0.05f);
    EXPECT_EQ(s.steps.uLMS1, 0.01f);
    EXPECT_EQ(s.steps.uLMS5, 0.06f);

    for (float entered : {-3.0f, 0.0f}) {
        instrument.setVoltsPerBit(entered);
        EXPECT_EQ(s.calibration.Vperbit, kFallbackVperbit) << entered;
    }
    instrument.setVoltsPerBit(3e-5f);
    EXPECT_EQ(s.calibration.Vperbit, 3e-5f);

    EXPECT_EQ(instrument.setFrequency(120), 120);
    EXPECT_EQ(instrument.tone().freq, 120);
    EXPECT_EQ(instrument.setFrequency(5), 10) << "held to the lowest";
    EXPECT_EQ(instrument.setFrequency(1e6), 20000) << "held to the highest";
}

TEST(Instrument, ClearTareSetsEveryTareToZeroAndMeasuresNothing) {
    Bench b("R=100");
    Instrument& instrument = *b.instrument;
    instrument.playTone();
    instrument.setTare({5e-12f, 2e-6f, 0.3f});
    ASSERT_TRUE(b.capture());
    const ImpedanceReading shown = instrument.lastReading().value();
    b.reading.reset();

    instrument.clearTare();
    const Tare& tare = instrument.settings().tare;
    EXPECT_EQ(tare.Ltare, 0);
    EXPECT_EQ(tare.Ctare, 0);
    EXPECT_EQ(tare.Rtare, 0);
    EXPECT_EQ(instrument.lastReading()->Wi, shown.Wi) << "the readings are not touched";
    EXPECT_FALSE(b.reading) << "no measurement";
    const TareTexts t = tareBoxTexts(tare, TareWriter::ClearTare);
    EXPECT_EQ(t.inductance, "00.00 uH");
    EXPECT_EQ(t.capacitance, "0.00 pF");
    EXPECT_EQ(t.resistance, "0.00");
}

}  // namespace
}  // namespace varnex
