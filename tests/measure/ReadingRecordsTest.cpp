#include "measure/ReadingRecords.h"

#include <gtest/gtest.h>

#include <limits>

namespace varnex {
namespace {

// 1 uF at 120 Hz with 0.16 ohm in series, on the 100 ohm reference.
ImpedanceReading capacitor() {
    ImpedanceReading r;
    r.Wi = 0.0016f;
    r.Wq = -13.2637f;
    r.stepSize = 0.0165f;
    r.lastError = -0.00002f;
    r.referenceResistance = 100;
    r.frequency = 120;
    r.ratioUncertainty = {0.000412, 0.000412};
    return r;
}

TEST(ReadingRecords, UncertaintyShowsOneOrTwoSignificantDigits) {
    const struct {
        double ohms;
        const char* text;
    } rows[] = {{0.0041, "±0.004 Ω"},
                {0.0096, "±0.01 Ω"},
                {0.012, "±0.012 Ω"},
                {0.0199, "±0.020 Ω"},
                {123, "±120 Ω"},
                {4.44, "±4 Ω"},
                {0, "±0 Ω"},
                {-1, "±--- Ω"},
                {std::numeric_limits<double>::quiet_NaN(), "±--- Ω"}};
    for (const auto& row : rows) EXPECT_EQ(uncertaintyText(row.ohms), row.text) << row.ohms;
}

TEST(ReadingRecords, TheThreeFormsOfOneReading) {
    const ReadingTime time = ReadingTime(std::chrono::milliseconds(1765238400250));
    EXPECT_EQ(isoTime(time), "2025-12-09T00:00:00.250Z");
    const ImpedanceReading r = capacitor();
    EXPECT_EQ(readingTextLine(r),
              "120 Hz  Rs 0.16  Xs -1326.37  |Z| 1326  Ang -89.99  Cs 0.9999uF  D 0.000  ±0.04 Ω"
              "  Rp 11.00 MΩ  Cp 999.9 nF");
    EXPECT_EQ(csvHeader(),
              "time,frequency,rm,rs,xs,z,angle,kind,ls,q,cs,d,rp,xp,lp,cp,g,b,y,u_rs,u_xs,ulms,"
              "elms");
    // Rp = |Z|^2 / Rs = 1759257 / 0.16, G = Rs / |Z|^2, B = -Xs / |Z|^2,
    // Cp = B / (2 pi 120); the angle in its own quadrant.
    EXPECT_EQ(csvLine(r, time),
              "2025-12-09T00:00:00.250Z,120,100,0.16,-1326.37,1326.37,-89.99308841064725,"
              "capacitive,,,9.999407e-07,0.00012062999,10995358.266727166,-1326.369972456316,,"
              "9.999406047893945e-07,9.094746853552556e-08,0.0007539374539277992,"
              "0.0007539374594132955,0.0412,0.0412,0.0165,-2e-05");
    EXPECT_EQ(jsonLine(r, time),
              "{\"time\":\"2025-12-09T00:00:00.250Z\",\"frequency\":120,\"rm\":100,\"rs\":0.16,"
              "\"xs\":-1326.37,\"z\":1326.37,\"angle\":-89.99308841064725,\"kind\":"
              "\"capacitive\",\"cs\":9.999407e-07,\"d\":0.00012062999,\"rp\":10995358.266727166,"
              "\"xp\":-1326.369972456316,\"cp\":9.999406047893945e-07,\"g\":9.094746853552556e-08,"
              "\"b\":0.0007539374539277992,\"y\":0.0007539374594132955,\"u_rs\":0.0412,"
              "\"u_xs\":0.0412,\"ulms\":0.0165,\"elms\":-2e-05}");
}

TEST(ReadingRecords, ValuesTheWindowShowsAsDashesAreEmptyOrNull) {
    // A resistance tare that Rm could not take leaves no in-phase weight.
    ImpedanceReading r = capacitor();
    r.Wq = 0.5f;
    r.Wi = std::numeric_limits<float>::quiet_NaN();
    r.ratioUncertainty.inPhase = std::numeric_limits<double>::infinity();
    const std::string json = jsonLine(r, {});
    EXPECT_NE(json.find("\"z\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"ls\":0.066314556,\"q\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"rp\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"u_rs\":null"), std::string::npos) << json;
    EXPECT_EQ(json.find("\"cs\""), std::string::npos) << "no Cs for an inductive reading";
    EXPECT_EQ(csvLine(r, {}),
              "1970-01-01T00:00:00.000Z,120,100,,50,,,inductive,0.066314556,,,,,,,,,,,,0.0412,"
              "0.0165,-2e-05");
}

}  // namespace
}  // namespace varnex
