#include "measure/ReadingRecords.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "common/NumberText.h"

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
    const SeriesReadings s = seriesReadings(r);
    const std::complex<double> z = impedanceOf(r);
    const ParallelReadings p = parallelReadings(z, r.frequency);
    const ImpedanceUncertainty u = impedanceUncertainty(r);
    const bool inductive = s.kind == ReactanceKind::Inductive;
    const bool parallelInductive = p.kind == ReactanceKind::Inductive;
    return {
        {"time", isoTime(time), true},
        {"frequency", number(r.frequency)},
        {"rm", number(r.referenceResistance)},
        {"rs", number(s.resistance)},
        {"xs", number(s.reactance)},
        {"z", number(s.magnitude)},
        {"angle", number(fullAngle(z))},
        {"kind", inductive ? "inductive" : "capacitive", true},
        {"ls", number(s.inductance), false, inductive},
        {"q", number(s.quality), false, inductive},
        {"cs", number(s.capacitance), false, !inductive},
        {"d", number(s.dissipation), false, !inductive},
        {"rp", number(p.resistance)},
        {"xp", number(p.reactance)},
        {"lp", number(p.inductance), false, parallelInductive},
        {"cp", number(p.capacitance), false, !parallelInductive},
        {"g", number(p.conductance)},
        {"b", number(p.susceptance)},
        {"y", number(p.admittance)},
        {"u_rs", number(u.resistance)},
        {"u_xs", number(u.reactance)},
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
    return "±" + fixedText(rounded, last < 0 ? -last : 0) + " Ω";
}

std::string parallelText(const ParallelReadings& p) {
    const bool inductive = p.kind == ReactanceKind::Inductive;
    return "Rp " + engineeringText(p.resistance, "Ω") + "  " + (inductive ? "Lp " : "Cp ") +
           engineeringText(inductive ? p.inductance : p.capacitance, inductive ? "H" : "F");
}

std::string readingTextLine(const ImpedanceReading& reading) {
    const ReadingTexts t = readingTexts(reading);
    return frequencyText(reading.frequency) + "  Rs " + t.resistance + "  Xs " + t.reactance +
           "  |Z| " + t.magnitude + "  Ang " + t.angle + "  " + t.seriesCaption + " " +
           t.seriesValue + "  " + t.factorCaption + " " + t.factor + "  " +
           uncertaintyText(impedanceUncertainty(reading).larger()) + "  " +
           parallelText(parallelReadings(impedanceOf(reading), reading.frequency));
}

std::string frequencyText(double hertz) {
    // A tenth of a millihertz says where any loop of up to a second plays.
    std::string digits = fixedText(hertz, 4);
    if (digits.find('.') != std::string::npos) {
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') digits.pop_back();
    }
    return digits + " Hz";
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
