#include "measure/ReadingRecords.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace varnex {
namespace {

// The shortest text that reads back to the same value; empty when the value
// is not finite (the window's "---").
template <typename T>
std::string number(T value) {
    if (!std::isfinite(value)) return {};
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

struct Field {
    const char* key;
    std::string value;  // empty: no value
    bool quoted = false;
    bool applies = true;  // false: the field does not belong to this kind of reading
};

std::vector<Field> fieldsOf(const ImpedanceReading& r, ReadingTime time) {
    const bool inductive = r.kind == ReactanceKind::Inductive;
    return {
        {"time", isoTime(time), true},
        {"frequency", number(r.frequency)},
        {"rm", number(r.referenceResistance)},
        {"rs", number(r.resistance)},
        {"xs", number(r.reactance)},
        {"z", number(r.magnitude)},
        {"angle", number(r.angle)},
        {"kind", inductive ? "inductive" : "capacitive", true},
        {"ls", number(r.inductance), false, inductive},
        {"q", number(r.quality), false, inductive},
        {"cs", number(r.capacitance), false, !inductive},
        {"d", number(r.dissipation), false, !inductive},
        {"u_rs", number(r.resistanceUncertainty)},
        {"u_xs", number(r.reactanceUncertainty)},
        {"ulms", number(r.stepSize)},
        {"elms", number(r.lastError)},
    };
}

}  // namespace

std::string isoTime(ReadingTime time) {
    const auto since = time.time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(since - seconds);
    const std::time_t whole = static_cast<std::time_t>(seconds.count());
    std::tm utc{};
    gmtime_r(&whole, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis.count()));
    return text;
}

std::string uncertaintyText(double ohms) {
    if (!std::isfinite(ohms) || ohms < 0) return "±--- Ω";
    if (ohms == 0) return "±0 Ω";
    // Leading digit 1: two significant digits, else one.
    int exponent = static_cast<int>(std::floor(std::log10(ohms)));
    const bool twoDigits = ohms / std::pow(10.0, exponent) < 2;
    int last = exponent - (twoDigits ? 1 : 0);  // power of ten of the last digit shown
    double rounded = std::round(ohms / std::pow(10.0, last)) * std::pow(10.0, last);
    if (rounded >= std::pow(10.0, exponent + 1)) ++last;  // 0.0096 -> 0.01
    char text[64];
    std::snprintf(text, sizeof text, "±%.*f Ω", last < 0 ? -last : 0, rounded);
    return text;
}

std::string readingTextLine(const ImpedanceReading& reading) {
    const ReadingTexts t = readingTexts(reading);
    const double u = std::fmax(reading.resistanceUncertainty, reading.reactanceUncertainty);
    return "Rs " + t.resistance + "  Xs " + t.reactance + "  |Z| " + t.magnitude + "  Ang " +
           t.angle + "  " + t.seriesCaption + " " + t.seriesValue + "  " + t.factorCaption + " " +
           t.factor + "  " + uncertaintyText(u);
}

std::string csvHeader() {
    std::string header;
    for (const Field& field : fieldsOf(ImpedanceReading{}, ReadingTime{}))
        header += (header.empty() ? "" : ",") + std::string(field.key);
    return header;
}

std::string csvLine(const ImpedanceReading& reading, ReadingTime time) {
    std::string line;
    bool first = true;
    for (const Field& field : fieldsOf(reading, time)) {
        if (!first) line += ',';
        first = false;
        if (field.applies) line += field.value;
    }
    return line;
}

std::string jsonLine(const ImpedanceReading& reading, ReadingTime time) {
    std::string line = "{";
    for (const Field& field : fieldsOf(reading, time)) {
        if (!field.applies) continue;
        if (line.size() > 1) line += ',';
        line += '"' + std::string(field.key) + "\":";
        if (field.value.empty())
            line += "null";
        else if (field.quoted)
            line += '"' + field.value + '"';
        else
            line += field.value;
    }
    return line + "}";
}

}  // namespace varnex
