#include "instrument/SettingsFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <system_error>
#include <type_traits>
#include <variant>

#include <unistd.h>

namespace varnex {
namespace {

// Where each line of the file lives in the settings: pointers to const for
// the writer, to mutable values for the reader.
template <typename T, typename S>
using Like = std::conditional_t<std::is_const_v<S>, const T, T>;
template <typename S>
using Field = std::variant<Like<float, S>*, Like<double, S>*, Like<int16_t, S>*, Like<int32_t, S>*>;

// The file's lines in order; reader and writer share this one table.
template <typename S>
std::array<Field<S>, kSettingsLineCount> fieldsOf(S& s) {
    auto& r = s.resistors;
    auto& scope = s.scope;
    return {&r.Rm,           &s.steps.uLMS,     &s.calibration.Bal, &s.calibration.Vperbit,
            &s.TrigLev,      &s.SigGenLvl,      &scope.TimeBase,    &scope.Lgain,
            &scope.GridOn,   &scope.ScopeMode,  &scope.Rgain,       &scope.CursorsOn,
            &scope.Cursor1,  &scope.Cursor2,    &scope.TimeReadout, &scope.TBscale,
            &s.tare.Ctare,   &s.tare.Ltare,     &s.tare.Rtare,      &r.RmOptFlag,
            &r.Rm10,         &r.Rm100,          &r.Rm1000,          &r.Rm10000,
            &r.Rm100000,     &s.steps.LMSOptFlag};
}

// Longer lines are no number of ours; only their start is kept.
constexpr size_t kMaxLineLength = 256;
constexpr size_t kMaxFileBytes = 64 * 1024;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The whole line must be one decimal number that fits the type.
template <typename Floating>
bool parseFloating(std::string_view text, Floating& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    Floating value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
    out = value;
    return true;
}

// Whole-number lines accept a decimal text too and round it half to even, as
// a number typed into the file by hand would be taken.
template <typename Integer>
bool parseInteger(std::string_view text, Integer& out) {
    double value = 0;
    if (!parseFloating(text, value)) return false;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<Integer>::min() || rounded > std::numeric_limits<Integer>::max())
        return false;
    out = static_cast<Integer>(rounded);
    return true;
}

bool applyLine(std::string_view line, const Field<Settings>& field) {
    const std::string_view text = trimmed(line);
    return std::visit(
        [&](auto pointer) {
            auto& target = *pointer;
            using T = std::remove_reference_t<decltype(target)>;
            if constexpr (std::is_floating_point_v<T>)
                return parseFloating(text, target);
            else
                return parseInteger(text, target);
        },
        field);
}

// Shortest text that reads back to the same value of its type; plain digits
// where a person editing the file would expect them (100000, not 1E+05).
template <typename T>
std::string shortestText(T value) {
    char buffer[512];
    std::to_chars_result result;
    if constexpr (std::is_floating_point_v<T>) {
        const T magnitude = std::fabs(value);
        const bool plain = magnitude == 0 || (magnitude >= T(1e-4) && magnitude < T(1e15));
        result = std::to_chars(buffer, buffer + sizeof buffer, value,
                               plain ? std::chars_format::fixed : std::chars_format::scientific);
    } else {
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

}  // namespace

int applySettingsText(std::string_view text, Settings& settings) {
    const auto fields = fieldsOf(settings);
    int applied = 0;
    size_t lineStart = 0;
    for (size_t index = 0; index < fields.size() && lineStart < text.size(); ++index) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.size() <= kMaxLineLength && applyLine(line, fields[index])) ++applied;
        lineStart = lineEnd + 1;
    }
    return applied;
}

int readSettings(const std::filesystem::path& file, Settings& settings) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    // A real file is under a kilobyte; whatever lies beyond the first
    // kMaxFileBytes of a huge or binary file is never looked at.
    std::string text(kMaxFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return applySettingsText(text, settings);
}

std::string settingsText(const Settings& settings) {
    std::string text;
    for (const auto& field : fieldsOf(settings)) {
        std::visit([&](auto pointer) { text += shortestText(*pointer); }, field);
        text += "\r\n";
    }
    return text;
}

bool writeSettings(const std::filesystem::path& file, const Settings& settings) {
    const std::string text = settingsText(settings);
    std::filesystem::path temporary = file;
    temporary += ".new";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                         std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    std::error_code error;
    if (written && closed) {
        std::filesystem::rename(temporary, file, error);
        if (!error) return true;
    }
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace varnex
