#include "measure/ReadingRecords.h"

#include <gtest/gtest.h>

#include <limits>

namespace varnex {
namespace {

ImpedanceReading capacitor() {
    ImpedanceReading r;
    r.stepSize = 0.0165f;
    r.magnitude = 1326.3f;
    r.angle = -89.99f;
    r.lastError = -0.00002f;
    r.resistance = 0.16f;
    r.reactance = -1326.37f;
    r.kind = ReactanceKind::Capacitive;
    r.capacitance = 1e-6f;
    r.dissipation = 0.0001f;
    r.referenceResistance = 100;
    r.frequency = 120;
    r.resistanceUncertainty = r.reactanceUncertainty = 0.0412;
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
              "Rs 0.16  Xs -1326.37  |Z| 1326  Ang -89.99  Cs 1.0000uF  D 0.000  ±0.04 Ω");
    EXPECT_EQ(csvHeader(), "time,frequency,rm,rs,xs,z,angle,kind,ls,q,cs,d,u_rs,u_xs,ulms,elms");
    EXPECT_EQ(
        csvLine(r, time),
        "2025-12-09T00:00:00.250Z,120,100,0.16,-1326.37,1326.3,-89.99,capacitive,,,1e-06,1e-04,"
        "0.0412,0.0412,0.0165,-2e-05");
    EXPECT_EQ(jsonLine(r, time),
              "{\"time\":\"2025-12-09T00:00:00.250Z\",\"frequency\":120,\"rm\":100,\"rs\":0.16,"
              "\"xs\":-1326.37,\"z\":1326.3,\"angle\":-89.99,\"kind\":\"capacitive\",\"cs\":1e-06,"
              "\"d\":1e-04,\"u_rs\":0.0412,\"u_xs\":0.0412,\"ulms\":0.0165,\"elms\":-2e-05}");
}

TEST(ReadingRecords, ValuesTheWindowShowsAsDashesAreEmptyOrNull) {
    ImpedanceReading r = capacitor();
    r.kind = ReactanceKind::Inductive;
    r.inductance = r.quality = r.magnitude = std::numeric_limits<float>::quiet_NaN();
    r.resistanceUncertainty = std::numeric_limits<double>::infinity();
    const std::string json = jsonLine(r, {});
    EXPECT_NE(json.find("\"z\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"ls\":null,\"q\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"u_rs\":null"), std::string::npos) << json;
    EXPECT_EQ(json.find("\"cs\""), std::string::npos) << "no Cs for an inductive reading";
    EXPECT_EQ(csvLine(r, {}),
              "1970-01-01T00:00:00.000Z,120,100,0.16,-1326.37,,-89.99,inductive,,,,,,"
              "0.0412,0.0165,-2e-05");
}

}  // namespace
}  // namespace varnex
