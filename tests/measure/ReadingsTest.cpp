#include "measure/Readings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "MeasureParts.h"
#include "audio/ComponentDescription.h"
#include "common/NumberText.h"

namespace varnex {
namespace {

constexpr int H = 11024;

// The inputs of the readings, as the estimator and the dialogs leave them.
struct Inputs {
    float Wi = 0, Wq = 0;
    float Rm = 1000;
    float freq = 1225;
    float Rtare = 0, Ltare = 0, Ctare = 0;
    float err = 0;
    float uLMS = 0.055f;
};

// The parts a reading reads and writes, and the reading itself.
struct Run {
    EstimatorState estimator;
    ReadingParameters parameters;
    ImpedanceReading reading;
    SeriesReadings series;
    ReadingTexts texts;

    void read() {
        reading = computeReading(estimator, 22048, parameters);
        series = seriesReadings(reading);
        texts = readingTexts(reading);
    }
};

std::unique_ptr<Run> stateWith(const Inputs& in) {
    auto s = std::make_unique<Run>();
    s->estimator.Wi[H + 1] = in.Wi;
    s->estimator.Wq[H + 1] = in.Wq;
    s->estimator.ErrLMS[H] = in.err;
    s->parameters = {in.Rm, in.freq, in.uLMS, Tare{in.Ctare, in.Ltare, in.Rtare}};
    return s;
}

// The readings of one run on those inputs.
const ReadingTexts& computeReadings(Run& s) {
    s.read();
    return s.texts;
}

TEST(ReadingsFormat, OhmBoxesSwitchPatternAtTheirThresholds) {
    struct Row {
        std::string (*format)(float);
        const char* box;
        float value;
        const char* expected;
    };
    const Row rows[] = {
        {zmagText, "IZI", 999.994f, "999.99"}, {zmagText, "IZI", 1000, "1000"},
        {zmagText, "IZI", 12345.6f, "12346"},  {zmagText, "IZI", 0.5f, "0.50"},
        {rsText, "Rs", 999.5f, "999.50"},      {rsText, "Rs", 1000.4f, "1000"},
        {rsText, "Rs", -1500, "-1500.00"},     {rsText, "Rs", 0, "0.00"},
        {xsText, "Xs", -10000, "-10000"},      {xsText, "Xs", 9999.99f, "9999.99"},
        {xsText, "Xs", 10000.4f, "10000"},     {xsText, "Xs", -9999.5f, "-9999.50"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.format(row.value), row.expected) << row.box << " " << row.value;
}

TEST(ReadingsFormat, UnitTableFromTheLargestThresholdDown) {
    struct Row {
        bool inductive;
        float value;
        const char* expected;
    };
    const Row rows[] = {
        {true, 0.001f, "1000.00uH"},
        {true, 0.0015f, "1.50mH"},
        {true, 0.01f, "10.00mH"},
        {true, 2e-6f, "2.00uH"},
        {true, -2e-6f, "-2.00uH"},
        {true, -0.5f, "-500000.00uH"},
        {true, 0, "0.00uH"},
        {false, 1e-5f, "10.00uF"},
        {false, 0.13f, "130000.00uF"},
        {false, 1e-6f, "1.0000uF"},
        {false, 4.7e-7f, "0.4700uF"},
        {false, 1e-8f, "0.01000uF"},
        {false, 2.2e-9f, "0.00220uF"},
        {false, 1e-9f, "1000.00pF"},
        {false, 1e-12f, "1.00pF"},
        {false, -1e-12f, "-1.00pF"},
        {false, -4.7e-7f, "-470000.00pF"},
    };
    for (const Row& row : rows) {
        const std::string text =
            row.inductive ? inductanceText(row.value) : capacitanceText(row.value);
        EXPECT_EQ(text, row.expected) << (row.inductive ? "Ls " : "Cs ") << row.value;
    }
}

TEST(Readings, ThousandOhmResistorOnThousandOhmReference) {
    auto s = stateWith({.Wi = 1, .Wq = 0});
    const ReadingTexts r = computeReadings(*s);
    EXPECT_EQ(r.resistance, "1000");
    EXPECT_EQ(r.magnitude, "1000");
    EXPECT_EQ(r.reactance, "0.00");
    EXPECT_EQ(r.angle, "0.00");
    EXPECT_EQ(r.seriesCaption, "Ls");
    EXPECT_EQ(r.seriesValue, "0.00uH");
    EXPECT_EQ(r.factor, "0.000");
    EXPECT_EQ(r.factorCaption, "Q");
    EXPECT_EQ(r.stepSize, " .055");
    EXPECT_EQ(r.lastError, "0.00000");
}

TEST(Readings, ThousandOhmResistorWithATinyNegativeQuadratureIsCapacitive) {
    auto s = stateWith({.Wi = 1, .Wq = -0.000001f});
    const ReadingTexts r = computeReadings(*s);
    EXPECT_EQ(r.seriesCaption, "Cs");
    EXPECT_EQ(r.factorCaption, "D");
    EXPECT_NEAR(s->series.capacitance, 1 / (2 * M_PI * 1225 * 0.001), 1e-5);  // about 0.13 F
    EXPECT_EQ(r.seriesValue, "129922.40uF");
    EXPECT_NEAR(s->series.dissipation, 1e6, 1);
    EXPECT_EQ(r.factor, "1000000.000");
    EXPECT_EQ(r.reactance, "0.00") << "-0.001 ohm rounds to an unsigned zero";
}

TEST(Readings, ComponentsOnTheirReference) {
    struct Row {
        const char* name;
        Inputs in;
        const char *rs, *xs, *zmag, *angle, *label16, *value, *qd, *label17;
    };
    const Row rows[] = {
        // 10 mH at 1225 Hz: Xs = 76.969 ohms on the 100 ohm reference.
        {"inductor",
         {.Wi = 0.02f, .Wq = 0.76969f, .Rm = 100},
         "2.00",
         "76.97",
         "76.99",
         "88.51",
         "Ls",
         "10.00mH",
         "38.485",
         "Q"},
        // 100 nF at 1225 Hz: Xs = -1299.26 ohms on the 1 k reference.
        {"capacitor",
         {.Wi = 0.001f, .Wq = -1.29926f},
         "1.00",
         "-1299.26",
         "1299",
         "-89.96",
         "Cs",
         "0.1000uF",
         "0.001",
         "D"},
        // Tare larger than the resistance: Wi goes negative, principal angle.
        {"negative resistance after tare",
         {.Wi = 0.01f, .Wq = 1, .Rm = 100, .Rtare = 1.8727f},
         "-0.87",
         "100.00",
         "100.00",
         "-89.50",
         "Ls",
         "12.99mH",
         "-114.587",
         "Q"},
        {"inductance tare",
         {.Wi = 0.5f, .Wq = 0.00769690f, .Rm = 1000, .Ltare = 1e-6f},
         "500.00",
         "7.70",
         "500.06",
         "0.88",
         "Ls",
         "999.00uH",
         "0.015",
         "Q"},
        {"capacitance tare",
         {.Wi = 0, .Wq = -1.29926f, .Ctare = 1e-9f},
         "0.00",
         "-1299.26",
         "1299",
         "90.00",
         "Cs",
         "0.0990uF",
         "0.000",
         "D"},
        {"pure reactance, Q guarded",
         {.Wi = 0, .Wq = 0.5f},
         "0.00",
         "500.00",
         "500.00",
         "90.00",
         "Ls",
         "64.96mH",
         "9999.000",
         "Q"},
        {"nothing at all",
         {.Wi = 0, .Wq = 0, .Ltare = 2e-6f},
         "0.00",
         "0.00",
         "0.00",
         "90.00",
         "Ls",
         "-2.00uH",
         "9999.000",
         "Q"},
    };
    for (const Row& row : rows) {
        auto s = stateWith(row.in);
        const ReadingTexts r = computeReadings(*s);
        EXPECT_EQ(r.resistance, row.rs) << row.name;
        EXPECT_EQ(r.reactance, row.xs) << row.name;
        EXPECT_EQ(r.magnitude, row.zmag) << row.name;
        EXPECT_EQ(r.angle, row.angle) << row.name;
        EXPECT_EQ(r.seriesCaption, row.label16) << row.name;
        EXPECT_EQ(r.seriesValue, row.value) << row.name;
        EXPECT_EQ(r.factor, row.qd) << row.name;
        EXPECT_EQ(r.factorCaption, row.label17) << row.name;
    }
}

TEST(Readings, ResistanceTareIsStoredBackIntoTheWeight) {
    auto s = stateWith({.Wi = 0.5f, .Wq = 0.1f, .Rm = 100, .Rtare = 2});
    const float untouched = s->estimator.Wi[H];
    computeReadings(*s);
    EXPECT_FLOAT_EQ(s->estimator.Wi[H + 1], 0.48f);
    EXPECT_EQ(s->estimator.Wi[H], untouched)
        << "the next run seeds from Wi(H), which keeps no tare";
    EXPECT_FLOAT_EQ(s->series.magnitude, 100 * std::hypot(0.48f, 0.1f));
    EXPECT_EQ(s->reading.Wi, s->estimator.Wi[H + 1]) << "the reading holds the tared weight";
}

TEST(Readings, TheSeriesReadingsComeFromTheReadingAlone) {
    auto s = stateWith({.Wi = 0.5f, .Wq = 0.5f, .Rm = 100});
    computeReadings(*s);
    EXPECT_FLOAT_EQ(s->series.angle, 45);
    EXPECT_FLOAT_EQ(s->series.quality, 1);
    EXPECT_FLOAT_EQ(s->series.inductance, 50 / (2 * M_PI * 1225));
    EXPECT_EQ(impedanceOf(s->reading), std::complex<double>(50, 50));
    // The estimator's arrays may change; the reading does not.
    s->estimator.Wq[H + 1] = -1;
    EXPECT_FLOAT_EQ(seriesReadings(s->reading).inductance, 50 / (2 * M_PI * 1225));
}

TEST(Readings, ErrorAndStepSizeBoxes) {
    auto s = stateWith({.Wi = 1, .err = -0.0000456f, .uLMS = 0.0123f});
    const ReadingTexts r = computeReadings(*s);
    EXPECT_EQ(r.lastError, "-0.00005");
    EXPECT_EQ(r.stepSize, " .0123");
}

TEST(ReadingsFaults, ZeroReferenceShowsTheMarkerAndKeepsTheWeight) {
    for (float wq : {0.3f, -0.3f}) {
        auto s = stateWith({.Wi = 0.5f, .Wq = wq, .Rm = 0, .Rtare = 1, .err = 0.00001f});
        const ReadingTexts r = computeReadings(*s);
        const std::string name = "Wq " + std::to_string(wq);
        for (const std::string* box :
             {&r.magnitude, &r.angle, &r.resistance, &r.reactance, &r.seriesValue, &r.factor})
            EXPECT_EQ(*box, kNoValueText) << name;
        EXPECT_EQ(r.stepSize, " .055") << name;
        EXPECT_EQ(r.lastError, "0.00001") << name;
        EXPECT_EQ(r.seriesCaption, wq >= 0 ? "Ls" : "Cs") << name;
        EXPECT_EQ(s->estimator.Wi[H + 1], 0.5f)
            << name << ": no infinite tare stored into the weight";
    }
}

TEST(ReadingsFaults, ZeroFrequencyShowsTheMarkerForLsOrCsOnly) {
    for (float wq : {0.3f, -0.3f, 0.0f}) {
        auto s = stateWith({.Wi = 0.5f, .Wq = wq, .freq = 0});
        const ReadingTexts r = computeReadings(*s);
        const std::string name = "Wq " + std::to_string(wq);
        EXPECT_EQ(r.seriesValue, kNoValueText) << name;
        EXPECT_EQ(r.resistance, "500.00") << name;
        EXPECT_NE(r.magnitude, kNoValueText) << name;
        EXPECT_NE(r.factor, kNoValueText) << name;
    }
}

TEST(ReadingsFaults, OverflowingQuotientsShowTheMarker) {
    const float tiny = std::numeric_limits<float>::denorm_min();
    {
        auto s = stateWith({.Wi = tiny, .Wq = 1, .Rm = 100});
        const ReadingTexts r = computeReadings(*s);
        EXPECT_EQ(r.factor, kNoValueText) << "Q";
        EXPECT_EQ(r.angle, "90.00") << "the angle is still right";
        EXPECT_EQ(r.magnitude, "100.00");
        EXPECT_EQ(r.seriesValue, "12.99mH");
    }
    {
        auto s = stateWith({.Wi = 1, .Wq = -tiny, .Rm = 100});
        const ReadingTexts r = computeReadings(*s);
        EXPECT_EQ(r.factor, kNoValueText) << "D";
        EXPECT_EQ(r.seriesValue, kNoValueText) << "Cs beyond the float range";
        EXPECT_EQ(r.angle, "0.00");
        EXPECT_EQ(r.resistance, "100.00");
    }
}

TEST(ReadingsUncertainty, GrowsWithTheNoiseAndHoldsTheScatter) {
    // One capture per noise level, measured as Start1 measures it after a
    // few captures have settled the weights.
    auto uncertaintyAt = [](double noiseSteps, double* rs) {
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent("R=47,L=5m");
        options.noiseSteps = noiseSteps;
        options.noiseSeed = 5;
        options.startSilenceFrames = 0;  // a tone that has been playing: no onset in the capture
        auto parts = testing::newParts(1225);
        const std::vector<int16_t> frames = recordSimulatedCapture(options, 1225, 0.5);
        std::copy(frames.begin(), frames.begin() + testing::kCopiedValues, parts->Samples.begin());
        for (int run = 0; run < 3; ++run) parts->run();
        const ImpedanceReading r =
            computeReading(parts->estimator, parts->SampleCount,
                           {100, 1225, parts->uLMS, {}, parts->quadrature.QuadLag});
        *rs = seriesReadings(r).resistance;
        return impedanceUncertainty(r).resistance;
    };
    double rsQuiet = 0, rsNoisy = 0;
    const double quiet = uncertaintyAt(1, &rsQuiet);
    const double noisy = uncertaintyAt(4, &rsNoisy);
    EXPECT_GT(quiet, 0);
    EXPECT_NEAR(noisy / quiet, 4, 0.8) << "u follows the noise";
    EXPECT_LT(std::fabs(rsNoisy - 47), 4 * noisy) << "the reading lies within its uncertainty";
    EXPECT_EQ(weightUncertainty(EstimatorState{}, 9, 11024).inPhase, 0) << "no signal, no estimate";
}

}  // namespace
}  // namespace varnex
