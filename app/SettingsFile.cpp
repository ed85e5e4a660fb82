#include "app/SettingsFile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <system_error>
#include <variant>

#include <unistd.h>

namespace varnex {
namespace {

using Setting = std::variant<float VarnexState::*, double VarnexState::*, int16_t VarnexState::*,
                             int32_t VarnexState::*>;

// The file's lines in order; reader and writer share this one table.
const std::array<Setting, kSettingsLineCount> kLines = {
    &VarnexState::Rm,        &VarnexState::uLMS,     &VarnexState::Bal,
    &VarnexState::Vperbit,   &VarnexState::TrigLev,  &VarnexState::SigGenLvl,
    &VarnexState::TimeBase,  &VarnexState::Lgain,    &VarnexState::GridOn,
    &VarnexState::ScopeMode, &VarnexState::Rgain,    &VarnexState::CursorsOn,
    &VarnexState::Cursor1,   &VarnexState::Cursor2,  &VarnexState::TimeReadout,
    &VarnexState::TBscale,   &VarnexState::Ctare,    &VarnexState::Ltare,
    &VarnexState::Rtare,     &VarnexState::RmOptFlag, &VarnexState::Rm10,
    &VarnexState::Rm100,     &VarnexState::Rm1000,   &VarnexState::Rm10000,
    &VarnexState::Rm100000,  &VarnexState::LMSOptFlag,
};

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

bool applyLine(std::string_view line, const Setting& setting, VarnexState& state) {
    const std::string_view text = trimmed(line);
    return std::visit(
        [&](auto member) {
            auto& target = state.*member;
            using T = std::remove_reference_t<decltype(target)>;
            if constexpr (std::is_floating_point_v<T>)
                return parseFloating(text, target);
            else
                return parseInteger(text, target);
        },
        setting);
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

int applySettingsText(std::string_view text, VarnexState& state) {
    int applied = 0;
    size_t lineStart = 0;
    for (size_t index = 0; index < kLines.size() && lineStart < text.size(); ++index) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.size() <= kMaxLineLength && applyLine(line, kLines[index], state)) ++applied;
        lineStart = lineEnd + 1;
    }
    return applied;
}

int readSettings(const std::filesystem::path& file, VarnexState& state) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    // A real file is under a kilobyte; whatever lies beyond the first
    // kMaxFileBytes of a huge or binary file is never looked at.
    std::string text(kMaxFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return applySettingsText(text, state);
}

std::string settingsText(const VarnexState& state) {
    std::string text;
    for (const Setting& setting : kLines) {
        std::visit([&](auto member) { text += shortestText(state.*member); }, setting);
        text += "\r\n";
    }
    return text;
}

bool writeSettings(const std::filesystem::path& file, const VarnexState& state) {
    const std::string text = settingsText(state);
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
