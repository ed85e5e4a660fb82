#include "measure/TareText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "measure/DecimalScale.h"

namespace varnex {
namespace {

TEST(TareText, MainWindowBoxesByWriter) {
    struct Row {
        const char* name;
        TareWriter writer;
        float Ltare, Ctare, Rtare;
        const char *l, *c, *r;
    };
    const Row rows[] = {
        {"start-up, zero", TareWriter::StartUp, 0, 0, 0, "0.00 uH", "0.00 pF", "0.00"},
        {"clear, zero", TareWriter::ClearTare, 0, 0, 0, "00.00 uH", "0.00 pF", "0.00"},
        {"close, zero", TareWriter::ManTareClose, 0, 0, 0, "0.00 uH", "0.00 pF", "0.00"},
        {"start-up", TareWriter::StartUp, 2e-6f, 12.5e-12f, 0.25f, "2.00 uH", "12.50 pF", "0.25"},
        {"close", TareWriter::ManTareClose, 2e-6f, 12.5e-12f, 0.25f, "2.00 uH", "12.50 pF", "0.25"},
        {"clear pattern pads", TareWriter::ClearTare, 2e-6f, 3.3e-12f, 1, "02.00 uH", "3.30 pF",
         "1.00"},
        {"negative", TareWriter::StartUp, -1.5e-6f, -2e-12f, -0.1f, "-1.50 uH", "-2.00 pF",
         "-0.10"},
        {"large", TareWriter::StartUp, 0.004f, 1e-9f, 12.345f, "4000.00 uH", "1000.00 pF", "12.35"},
    };
    for (const Row& row : rows) {
        Tare s;
        s.Ltare = row.Ltare;
        s.Ctare = row.Ctare;
        s.Rtare = row.Rtare;
        const TareTexts t = tareBoxTexts(s, row.writer);
        EXPECT_EQ(t.inductance, row.l) << row.name;
        EXPECT_EQ(t.capacitance, row.c) << row.name;
        EXPECT_EQ(t.resistance, row.r) << row.name;
    }
}

TEST(TareText, DialogLoadsTheCurrentValues) {
    struct Row {
        float Ctare, Ltare, Rtare;
        const char *c, *l, *r;
    };
    const Row rows[] = {
        {0, 0, 0, "00.00", "00.00", "0.00"},
        {3.3e-12f, 0, 0, "03.30", "00.00", "0.00"},
        {25e-12f, 4e-6f, 1, "25.00", "04.00", "1.00"},
        {100e-12f, 0.1e-6f, 0.005f, "100.00", "00.10", "0.01"},
        {-1e-12f, -2e-6f, -0.5f, "-01.00", "-02.00", "-0.50"},
    };
    for (const Row& row : rows) {
        Tare s;
        s.Ctare = row.Ctare;
        s.Ltare = row.Ltare;
        s.Rtare = row.Rtare;
        const TareTexts t = manTareLoadTexts(s);
        EXPECT_EQ(t.capacitance, row.c) << "Ctare " << row.Ctare;
        EXPECT_EQ(t.inductance, row.l) << "Ltare " << row.Ltare;
        EXPECT_EQ(t.resistance, row.r) << "Rtare " << row.Rtare;
    }
}

TEST(TareText, CloseReadsTheBoxesIntoTheTares) {
    struct Row {
        const char *c, *l, *r;
        float Ctare, Ltare, Rtare;
        const char *boxL, *boxC, *boxR;
    };
    const Row rows[] = {
        {"12.5 pF", "2", "0.5", 12.5e-12f, 2e-6f, 0.5f, "2.00 uH", "12.50 pF", "0.50"},
        {"pF", "abc", "", 0, 0, 0, "0.00 uH", "0.00 pF", "0.00"},
        {" 1 0 ", "0.1uH", "-0.25 ohm", 10e-12f, 0.1e-6f, -0.25f, "0.10 uH", "10.00 pF", "-0.25"},
        {"1e60", "1e50", "1e40", 0, 0, 0, "0.00 uH", "0.00 pF", "0.00"},
        {"2.5e3", "1E-1", "3", 2.5e-9f, 0.1e-6f, 3, "0.10 uH", "2500.00 pF", "3.00"},
    };
    for (const Row& row : rows) {
        const Tare s = tareFromBoxes(row.c, row.l, row.r);
        const TareTexts t = tareBoxTexts(s, TareWriter::ManTareClose);
        const std::string name =
            std::string("boxes '") + row.c + "' '" + row.l + "' '" + row.r + "'";
        EXPECT_FLOAT_EQ(s.Ctare, row.Ctare) << name;
        EXPECT_FLOAT_EQ(s.Ltare, row.Ltare) << name;
        EXPECT_FLOAT_EQ(s.Rtare, row.Rtare) << name;
        EXPECT_EQ(t.inductance, row.boxL) << name;
        EXPECT_EQ(t.capacitance, row.boxC) << name;
        EXPECT_EQ(t.resistance, row.boxR) << name;
    }
}

TEST(TareText, ValuesComeBackAsTheyWereEntered) {
    for (const char* entered : {"10", "3.3", "12.5", "0.01", "24.99"}) {
        const TareTexts t = manTareLoadTexts(tareFromBoxes(entered, entered, "0"));
        EXPECT_EQ(t.capacitance, t.inductance) << entered;
        EXPECT_DOUBLE_EQ(std::stod(t.capacitance), std::stod(entered)) << entered;
    }
}

TEST(DecimalScale, MovesThePointOnTheShortestDigits) {
    struct Row {
        float value;
        int power;
        double expected;
    };
    const Row rows[] = {
        {0.13f, 6, 130000}, {3.3e-12f, 12, 3.3}, {0.0015f, 3, 1.5},     {1e-9f, 12, 1000},
        {-2e-6f, 6, -2},    {0, 12, 0},          {1.005e-3f, 3, 1.005}, {12345.67f, -3, 12.34567},
    };
    for (const Row& row : rows)
        EXPECT_EQ(scaleDecimal(row.value, row.power), row.expected)
            << row.value << "e" << row.power;
    EXPECT_TRUE(std::isinf(scaleDecimal(std::numeric_limits<float>::infinity(), 6)));
    EXPECT_TRUE(std::isnan(scaleDecimal(std::numeric_limits<float>::quiet_NaN(), 6)));
}

}  // namespace
}  // namespace varnex
