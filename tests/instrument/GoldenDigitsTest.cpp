// Pins the measurement to the digit: fixed, seeded captures on the simulated
// bridge go through the instrument's capture, estimator and readings, and the
// final weights, the kept results and every box text must come out exactly as
// recorded.  Any
// change of arithmetic (a float where a double was, an order of operations)
// shows here even when every tolerance-based test still passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"
#include "instrument/Instrument.h"

namespace varnex {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Expected {
    float Wi, Wq;  // final weights Wi(H+1), Wq(H+1), the resistance tare applied
    int32_t TrigPt;
    float Zmag, Zang, Ls, Cs;
    // txtuLMS, Text2 (|Z|), Text1 (angle), txteLMS, Text4 (Rs), Text3 (Xs),
    // Label16, Text5 (Ls or Cs), Text6 (Q or D), Label17.
    std::array<const char*, 10> texts;
};

// Recorded from the program before its state was split into parts; three
// rows per case, in the order of golden::kCases.
const Expected kExpected[] = {
    // L=10m,R=20
    {0x1.999f6ap-3,
     0x1.8a142p-1,
     6,
     0x1.3e196p+6,
     0x1.2dbba4p+6,
     0x1.47ad7cp-7,
     0x0p+0,
     {" .01655317", "79.52", "75.43", "-0.00001", "20.00", "76.97", "Ls", "10.00mH", "3.848", "Q"}},
    {0x1.999b6ep-3,
     0x1.8a14d8p-1,
     25,
     0x1.3e19bap+6,
     0x1.2dbc48p+6,
     0x1.47ae16p-7,
     0x0p+0,
     {" .01653339", "79.53", "75.43", "-0.00005", "20.00", "76.97", "Ls", "10.00mH", "3.848", "Q"}},
    {0x1.999b52p-3,
     0x1.8a1424p-1,
     27,
     0x1.3e193p+6,
     0x1.2dbc32p+6,
     0x1.47ad8p-7,
     0x0p+0,
     {" .01652493", "79.52", "75.43", "0.00002", "20.00", "76.97", "Ls", "10.00mH", "3.848", "Q"}},
    // C=1u
    {0x1.a632a8p-10,
     -0x1.a86fe2p+3,
     6,
     0x1.4b9768p+10,
     -0x1.67f8ep+6,
     0x0p+0,
     0x1.0c6b9ep-20,
     {" .8344637", "1326", "-89.99", "0.00052", "0.16", "-1326.37", "Cs", "0.9999uF", "0.000",
      "D"}},
    {-0x1.0d8918p-14,
     -0x1.a86c34p+3,
     109,
     0x1.4b9488p+10,
     0x1.67ffb6p+6,
     0x0p+0,
     0x1.0c6dfp-20,
     {" .8382069", "1326", "90.00", "-0.00020", "-0.01", "-1326.32", "Cs", "1.0000uF", "0.000",
      "D"}},
    {-0x1.e49b06p-13,
     -0x1.a86916p+3,
     84,
     0x1.4b921ap+10,
     0x1.67fefap+6,
     0x0p+0,
     0x1.0c6feap-20,
     {" .8479474", "1326", "90.00", "0.00018", "-0.02", "-1326.28", "Cs", "1.00uF", "0.000", "D"}},
    // C=100n,R=3
    {0x1.88feb6p-9,
     -0x1.bb7816p-2,
     3,
     0x1.b115eep+8,
     -0x1.6669cep+6,
     0x0p+0,
     0x1.ad7f02p-24,
     {" .002406739", "433.09", "-89.60", "-0.00001", "3.00", "-433.08", "Cs", "0.1000uF", "0.007",
      "D"}},
    {0x1.88c63cp-9,
     -0x1.bb7792p-2,
     2,
     0x1.b1156cp+8,
     -0x1.666a08p+6,
     0x0p+0,
     0x1.ad7f82p-24,
     {" .002407531", "433.08", "-89.60", "-0.00001", "3.00", "-433.07", "Cs", "0.1000uF", "0.007",
      "D"}},
    {0x1.89322ep-9,
     -0x1.bb771cp-2,
     4,
     0x1.b114fap+8,
     -0x1.666998p+6,
     0x0p+0,
     0x1.ad7ff4p-24,
     {" .002405544", "433.08", "-89.60", "-0.00006", "3.00", "-433.07", "Cs", "0.1000uF", "0.007",
      "D"}},
    // R=4.7k
    {0x1.e14772p-2,
     -0x1.a58eb4p-18,
     3,
     0x1.25bfdcp+12,
     -0x1.917ce2p-11,
     0x0p+0,
     0x1.4c1688p-9,
     {" .01034003", "4700", "0.00", "-0.00001", "4700", "-0.06", "Cs", "2533.63uF", "74820.420",
      "D"}},
    {0x1.e1476p-2,
     -0x1.47ca7ap-19,
     18,
     0x1.25bfdp+12,
     -0x1.382f8p-12,
     0x0p+0,
     0x1.ab156ep-8,
     {" .01035143", "4700", "0.00", "0.00004", "4700", "-0.02", "Cs", "6516.78uF", "192446.380",
      "D"}},
    {0x1.e1478cp-2,
     -0x1.a1922ep-19,
     37,
     0x1.25bfecp+12,
     -0x1.8db0dcp-12,
     0x0p+0,
     0x1.4f4224p-8,
     {" .01035669", "4700", "0.00", "0.00005", "4700", "-0.03", "Cs", "5115.64uF", "151069.550",
      "D"}},
    // L=100u,R=0.5
    {0x1.487cd4p-5,
     0x1.1bbaaap-3,
     0,
     0x1.74e92p+0,
     0x1.276e26p+6,
     0x1.9f38d6p-14,
     0x0p+0,
     {" .1742154", "1.46", "73.86", "-0.00002", "0.40", "1.40", "Ls", "99.00uH", "3.455", "Q"}},
    {0x1.4877fep-5,
     0x1.1bc148p-3,
     1,
     0x1.74f0b8p+0,
     0x1.27707ap+6,
     0x1.9f42b6p-14,
     0x0p+0,
     {" .17417", "1.46", "73.86", "0.00001", "0.40", "1.40", "Ls", "99.01uH", "3.455", "Q"}},
    {0x1.485c7ap-5,
     0x1.1bba1ap-3,
     11,
     0x1.74e59ap+0,
     0x1.27740ep+6,
     0x1.9f37fep-14,
     0x0p+0,
     {" .1741657", "1.46", "73.86", "-0.00006", "0.40", "1.40", "Ls", "99.00uH", "3.456", "Q"}},
    // C=22p
    {-0x1.657ebap+3,
     -0x1.0627cap+7,
     5,
     0x1.9177bap+23,
     0x1.54838cp+6,
     0x0p+0,
     0x1.6216fep-36,
     {" 21.43997", "13155293", "85.13", "-0.07361", "-1117172.00", "-13107771", "Cs", "20.13pF",
      "-0.085", "D"}},
    {-0x1.66233ap+3,
     -0x1.063e2ap+7,
     1,
     0x1.919b14p+23,
     0x1.547c48p+6,
     0x0p+0,
     0x1.61f446p-36,
     {" 21.47046", "13159818", "85.12", "0.06804", "-1119180.00", "-13112141", "Cs", "20.12pF",
      "-0.085", "D"}},
    {-0x1.65d744p+3,
     -0x1.063ebep+7,
     40,
     0x1.919b58p+23,
     0x1.548072p+6,
     0x0p+0,
     0x1.61f36p-36,
     {" 21.48942", "13159852", "85.13", "-0.00156", "-1118252.80", "-13112254", "Cs", "20.12pF",
      "-0.085", "D"}},
    // Z=50-30j
    {0x1.ffffb2p-2,
     -0x1.3331bcp-2,
     8,
     kNaN,
     kNaN,
     0x0p+0,
     kNaN,
     {" .0194665", "---", "---", "-0.00007", "---", "---", "Cs", "---", "---", "D"}},
    {0x1.0000aep-1,
     -0x1.33351p-2,
     26,
     kNaN,
     kNaN,
     0x0p+0,
     kNaN,
     {" .01944842", "---", "---", "-0.00009", "---", "---", "Cs", "---", "---", "D"}},
    {0x1.ffff4cp-2,
     -0x1.33328cp-2,
     28,
     kNaN,
     kNaN,
     0x0p+0,
     kNaN,
     {" .01942905", "---", "---", "-0.00009", "---", "---", "Cs", "---", "---", "D"}},
    // R=47
    {0x1.de221p-2,
     -0x1.4f2f8ep-16,
     1,
     0x1.76a97ep+5,
     -0x1.41542p-9,
     0x0p+0,
     0x1.35d49cp-3,
     {" .04391955", "46.83", "0.00", "0.00005", "46.83", "0.00", "Cs", "151284.43uF", "23371.314",
      "D"}},
    {0x1.de2434p-2,
     0x1.36002ap-17,
     2,
     0x1.76ab2cp+5,
     0x1.292df4p-10,
     0x1.2da13ep-22,
     0x1.35d49cp-3,
     {" .04384185", "46.83", "0.00", "-0.00012", "46.83", "0.00", "Ls", "0.28uH", "0.000", "Q"}},
    {0x1.de151p-2,
     0x1.58c734p-15,
     39,
     0x1.769f4ep+5,
     0x1.4a8f3ep-8,
     0x1.4f77e2p-20,
     0x1.35d49cp-3,
     {" .04375131", "46.83", "0.01", "-0.00022", "46.83", "0.00", "Ls", "1.25uH", "0.000", "Q"}},
    // L=1,R=300
    {0x1.2e21b8p-2,
     0x1.820966p-1,
     0,
     0x1.94d38cp+9,
     0x1.12836cp+6,
     0x1.ffff4p-1,
     0x0p+0,
     {" .01147819", "809.65", "68.63", "0.00000", "295.05", "753.98", "Ls", "999.99mH", "2.555",
      "Q"}},
    {0x1.2e14acp-2,
     0x1.820a86p-1,
     106,
     0x1.94d24p+9,
     0x1.128702p+6,
     0x1.00006p+0,
     0x0p+0,
     {" .0115319", "809.64", "68.63", "0.00002", "295.00", "753.99", "Ls", "1000.01mH", "2.556",
      "Q"}},
    {0x1.2e13f4p-2,
     0x1.820a4cp-1,
     81,
     0x1.94d1ecp+9,
     0x1.128726p+6,
     0x1.000038p+0,
     0x0p+0,
     {" .01146867", "809.64", "68.63", "-0.00007", "295.00", "753.98", "Ls", "1000.00mH", "2.556",
      "Q"}},
};

struct Measured {
    float Wi, Wq;
    int32_t TrigPt;
    float Zmag, Zang, Ls, Cs;
    std::array<std::string, 10> texts;
};

// Each case on an instrument of its own, as the window drives it: the tone
// started, then one capture after another, each measured when it arrives.
std::vector<Measured> measureCase(const golden::Case& c) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent(c.component);
    options.circuit.referenceResistance = c.trueRm;
    options.noiseSteps = c.noiseSteps;
    options.noiseSeed = c.seed;
    options.realTime = false;
    SimulatedBridge bridge = makeSimulatedBridge(options);
    ReadingTexts shown;
    Instrument instrument({std::move(bridge.player), std::move(bridge.input), nullptr, nullptr},
                          {{}, [&](const ImpedanceReading& r) { shown = readingTexts(r); }, {}});
    Settings& s = instrument.settings();
    s.resistors.Rm = c.Rm;
    s.tare = {c.Ctare, c.Ltare, c.Rtare};
    s.calibration = {c.Bal, c.Vperbit};
    s.SigGenLvl = c.level;
    EXPECT_EQ(instrument.setFrequency(c.freq), c.freq);
    EXPECT_TRUE(instrument.playTone());
    std::vector<Measured> rows;
    // The design keeps Ls and Cs from the last run of each kind.
    float Ls = 0, Cs = 0;
    for (int capture = 0; capture < golden::kCapturesPerCase; ++capture) {
        if (capture == c.resetBeforeCapture) instrument.resetWeights();
        EXPECT_TRUE(instrument.captureSingle(
            {{}, [&] { EXPECT_EQ(instrument.measure(), RunOutcome::Measured); }, {}}));
        const EstimatorState& e = instrument.estimator();
        const SeriesReadings r = seriesReadings(instrument.lastReading().value());
        (r.kind == ReactanceKind::Inductive ? Ls : Cs) =
            r.kind == ReactanceKind::Inductive ? r.inductance : r.capacitance;
        const int h = lastFrameIndex(instrument.capture().SampleCount);
        rows.push_back({e.Wi[h + 1],
                        e.Wq[h + 1],
                        e.TrigPt,
                        r.magnitude,
                        r.angle,
                        Ls,
                        Cs,
                        {shown.stepSize, shown.magnitude, shown.angle, shown.lastError,
                         shown.resistance, shown.reactance, shown.seriesCaption, shown.seriesValue,
                         shown.factor, shown.factorCaption}});
    }
    return rows;
}

// Bit patterns, so -0 differs from 0; any NaN stands for "no value".
uint32_t bits(float value) {
    return std::isnan(value) ? 0x7fc00000u : std::bit_cast<uint32_t>(value);
}

TEST(GoldenDigits, EveryWeightResultAndBoxTextAsRecorded) {
    static_assert(std::size(kExpected) == golden::kCases.size() * golden::kCapturesPerCase);
    const char* const boxes[] = {"txtuLMS", "Text2",   "Text1", "txteLMS", "Text4",
                                 "Text3",   "Label16", "Text5", "Text6",   "Label17"};
    size_t row = 0;
    for (const golden::Case& c : golden::kCases) {
        const std::vector<Measured> measured = measureCase(c);
        for (int capture = 0; capture < golden::kCapturesPerCase; ++capture, ++row) {
            const Expected& want = kExpected[row];
            const Measured& got = measured[capture];
            const std::string where = std::string(c.component) + " at " + std::to_string(c.freq) +
                                      " Hz, capture " + std::to_string(capture + 1);
            EXPECT_EQ(bits(got.Wi), bits(want.Wi))
                << where << ": Wi " << got.Wi << " vs " << want.Wi;
            EXPECT_EQ(bits(got.Wq), bits(want.Wq))
                << where << ": Wq " << got.Wq << " vs " << want.Wq;
            EXPECT_EQ(got.TrigPt, want.TrigPt) << where;
            EXPECT_EQ(bits(got.Zmag), bits(want.Zmag)) << where << ": Zmag " << got.Zmag;
            EXPECT_EQ(bits(got.Zang), bits(want.Zang)) << where << ": Zang " << got.Zang;
            EXPECT_EQ(bits(got.Ls), bits(want.Ls)) << where << ": Ls " << got.Ls;
            EXPECT_EQ(bits(got.Cs), bits(want.Cs)) << where << ": Cs " << got.Cs;
            for (size_t box = 0; box < want.texts.size(); ++box)
                EXPECT_EQ(got.texts[box], want.texts[box]) << where << ": " << boxes[box];
        }
    }
}

}  // namespace
}  // namespace varnex
