#include "common/NumberText.h"

#include <gtest/gtest.h>

#include <optional>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>

namespace varnex {
namespace {

TEST(NumberText, PlainAndPaddedFormsOfSingles) {
    struct Row {
        float value;
        const char* plain;
        const char* padded;
    };
    const Row rows[] = {
        {1, "1", " 1"},
        {0.5f, "0.5", " .5"},
        {0.055f, "0.055", " .055"},
        {0.0055f, "0.0055", " .0055"},
        {0.9955f, "0.9955", " .9955"},
        {0.00002792f, "2.792E-05", " 2.792E-05"},
        {0.0001f, "0.0001", " .0001"},  // exponent -4 stays fixed
        {100, "100", " 100"},
        {10.1f, "10.1", " 10.1"},
        {100.3f, "100.3", " 100.3"},
        {998.7f, "998.7", " 998.7"},
        {100000, "100000", " 100000"},
        {1234567, "1234567", " 1234567"},
        {10000000, "1E+07", " 1E+07"},  // exponent 7 switches for a Single
        {-0.5f, "-0.5", "-.5"},
        {-1500, "-1500", "-1500"},
        {0, "0", " 0"},
        {-0.0f, "0", " 0"},
        {1.0f / 3, "0.3333333", " .3333333"},
        {0.2f, "0.2", " .2"},  // 7 digits hide the binary error
        {0.01f, "0.01", " .01"},
        {1e-12f, "1E-12", " 1E-12"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(plainForm(row.value), row.plain) << "value " << row.value;
        EXPECT_EQ(paddedForm(row.value), row.padded) << "value " << row.value;
    }
}

TEST(NumberText, DoublesKeepFifteenDigits) {
    EXPECT_EQ(plainForm(0.5), "0.5");
    EXPECT_EQ(plainForm(0.1), "0.1");
    EXPECT_EQ(plainForm(0.25), "0.25");
    EXPECT_EQ(plainForm(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(plainForm(1234567.0), "1234567");  // a Single would need E+06 only at 7 digits
    EXPECT_EQ(plainForm(1e14), "100000000000000");
    EXPECT_EQ(plainForm(1e15), "1E+15");
    EXPECT_EQ(paddedForm(0.25), " .25");
}

TEST(NumberText, DoublesNextToTheLargestReadBack) {
    // Rounded to 15 digits these would be 1.79769313486232E+308, beyond a
    // double, which reads back as 0.
    const double largest = std::numeric_limits<double>::max();
    struct Row {
        double value;
        const char* plain;
    };
    const Row rows[] = {
        {largest, "1.79769313486231E+308"},
        {-largest, "-1.79769313486231E+308"},
        {std::nextafter(largest, 0.0), "1.79769313486231E+308"},
        {1.797693134862315e308, "1.79769313486231E+308"},
        {1.797693134862314e308, "1.79769313486231E+308"},  // rounds down as always
        {1.797693134862306e308, "1.79769313486231E+308"},  // and up where it fits
    };
    for (const Row& row : rows) {
        const std::string value =
            (testing::Message() << std::setprecision(17) << row.value).GetString();
        EXPECT_EQ(plainForm(row.value), row.plain) << value;
        const double back = numericValue(plainForm(row.value));
        EXPECT_NEAR(back, row.value, std::fabs(row.value) * 6e-15) << value;
        EXPECT_EQ(numericValue(paddedForm(row.value)), back) << value;
    }
}

TEST(NumberText, NonFiniteValuesShowTheMarker) {
    const float inf = std::numeric_limits<float>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(plainForm(inf), "---");
    EXPECT_EQ(paddedForm(-inf), "---");
    EXPECT_EQ(plainForm(nan), "---");
    EXPECT_EQ(formatPattern(nan, "##0.00"), "---");
    EXPECT_EQ(formatPattern(inf, "#0.000"), "---");
}

TEST(NumberText, PatternFormatting) {
    struct Row {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Row rows[] = {
        {999.994, "##0.00", "999.99"},
        {999.995, "##0.00", "1000.00"},
        {1000, "##########0", "1000"},
        {12345.6, "##########0", "12346"},
        {999.5, "##0.00", "999.50"},
        {1000.4, "##0", "1000"},
        {-1500, "##0.00", "-1500.00"},
        {-10000, "##0", "-10000"},
        {9999.99, "##0.00", "9999.99"},
        {0.125, "0.00", "0.13"},  // half away from zero
        {-0.125, "0.00", "-0.13"},
        {0.124999, "0.00", "0.12"},
        {2.675, "0.00", "2.68"},  // on the decimal value, not its binary neighbour
        {1225, "#000", "1225"},
        {120, "#000", "120"},
        {5, "#000", "005"},
        {1000, "##0.00uH", "1000.00uH"},
        {1.5, "##0.00mH", "1.50mH"},
        {0.47, "##0.0000uF", "0.4700uF"},
        {0.0022, "##0.00000uF", "0.00220uF"},
        {0, "##0.00 uH", "0.00 uH"},
        {0, "##00.00 uH", "00.00 uH"},
        {2, "#0.00 uH", "2.00 uH"},
        {3.3, "#00.00", "03.30"},
        {0, "#0.00", "0.00"},
        {0.5, "#0.000", "0.500"},
        {-0.0004, "#0.000", "0.000"},  // rounds to zero: no minus sign
        {0.0000123, "#0.00000", "0.00001"},
        {1e20, "##0", "100000000000000000000"},
        {0.5, "#.00", ".50"},
        {1.5, "0.0#", "1.5"},
        {1.25, "0.0#", "1.25"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(formatPattern(row.value, row.pattern), row.expected)
            << "value " << row.value << " pattern " << row.pattern;
}

TEST(NumberText, PatternFormattingOfSinglesUsesTheirOwnDigits) {
    // 2.675f is 2.67499995...; as a Single it reads 2.675 and rounds up.
    EXPECT_EQ(formatPattern(2.675f, "0.00"), "2.68");
    EXPECT_EQ(formatPattern(999.994f, "##0.00"), "999.99");
    EXPECT_EQ(formatPattern(3.3e-12f * 1e12f, "#00.00"), "03.30");
}

TEST(NumberText, NumericValueOfTexts) {
    struct Row {
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"1 000", 1000},
        {"1,5", 1},
        {"", 0},
        {"   ", 0},
        {"12.5 pF", 12.5},
        {"998.7", 998.7},
        {" 10.1", 10.1},
        {" .055", 0.055},
        {".5", 0.5},
        {"-.5", -0.5},
        {"-", 0},
        {".", 0},
        {"+3", 3},
        {"-3", -3},
        {"3E-05", 0.00003},
        {"2.792E-05", 0.00002792},
        {"2.792e-05", 0.00002792},
        {"1e", 1},
        {"1e+", 1},
        {"1 e 3", 1000},
        {"- 1 2", -12},
        {"abc", 0},
        {"pF 12", 0},
        {"1.2.3", 1.2},
        {"1e999", 0},  // does not fit a double
        {"0x10", 0},
        {"5 v/div", 5},
        {"\t7\n", 7},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(numericValue(row.text), row.expected) << "text \"" << row.text << '"';
}

TEST(NumberText, SingleValueRoundsToFloatAndRejectsOverflow) {
    EXPECT_EQ(singleValue("998.7"), 998.7f);
    EXPECT_EQ(singleValue("1e39"), 0.0f);
    EXPECT_EQ(singleValue("-1e39"), 0.0f);
    EXPECT_EQ(singleValue("3E-05"), 0.00003f);
}

TEST(NumberText, FormsReadBackWithinSevenSignificantDigits) {
    // Seven digits do not name every Single, but what is read back must be the
    // value rounded to seven digits, never a different number.
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 2000; ++i) {
        const float value =
            mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
        const float padded = singleValue(paddedForm(value));
        const float plain = singleValue(plainForm(value));
        EXPECT_EQ(padded, plain) << paddedForm(value);
        EXPECT_NEAR(padded, value, std::fabs(value) * 5e-7) << paddedForm(value);
    }
}

TEST(NumberText, RandomBytesNeverCrashTheReader) {
    std::mt19937 random(777);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 64);
    const std::string alphabet = "0123456789+-.eE ,";
    for (int i = 0; i < 20000; ++i) {
        std::string text(length(random), '\0');
        for (char& c : text)
            c = (i % 2) ? static_cast<char>(byte(random))
                        : alphabet[byte(random) % alphabet.size()];
        const double value = numericValue(text);
        EXPECT_TRUE(std::isfinite(value)) << text;
    }
}

TEST(NumberText, NumbersWithSiPrefixesBothWays) {
    const struct {
        const char* text;
        std::optional<double> value;
    } reads[] = {{"2.2k", 2200}, {"100n", 1e-7},   {"1K", 1000}, {"15", 15},   {"-5m", -5e-3},
                 {"1e3k", 1e6},  {"4.7u", 4.7e-6}, {"k", {}},    {"1kk", {}},  {"nan", {}},
                 {"1e999", {}},  {"", {}},         {"1 k", {}},  {"12pF", {}}, {"0", 0}};
    for (const auto& row : reads) {
        const std::optional<double> got = prefixedNumber(row.text);
        EXPECT_EQ(got.has_value(), row.value.has_value()) << '"' << row.text << '"';
        if (got && row.value) {
            EXPECT_NEAR(*got, *row.value, 1e-12 * std::fabs(*row.value)) << row.text;
        }
    }
    const struct {
        double value;
        const char* unit;
        const char* text;
    } writes[] = {
        {1.00123e6, "Ω", "1.001 MΩ"}, {9.99e-8, "F", "99.90 nF"},
        {99.996, "Ω", "100.0 Ω"},     {999.96, "Ω", "1.000 kΩ"},
        {-1326.37, "Ω", "-1.326 kΩ"}, {0, "Ω", "0.000 Ω"},
        {1e-15, "F", "0.001 pF"},     {2.5e-6, "S", "2.500 µS"},
        {std::nan(""), "Ω", "---"},   {std::numeric_limits<double>::infinity(), "H", "---"}};
    for (const auto& row : writes)
        EXPECT_EQ(engineeringText(row.value, row.unit), row.text) << row.value;
    EXPECT_EQ(fixedText(2.5, 2), "2.50");
}

}  // namespace
}  // namespace varnex
