// A broken invariant in a fuzz target aborts with what broke, so libFuzzer
// keeps the input. assert() would be gone in a release build.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace varnex::fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line,
                              const std::string& detail) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n  %s\n", file, line, condition,
                 detail.c_str());
    std::abort();
}

// The text with its control and non-ASCII bytes escaped, for a failure message.
inline std::string printable(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        }
    }
    return out + "\"";
}

}  // namespace varnex::fuzz

// The detail is built only when the check fails.
#define VARNEX_FUZZ_CHECK(condition, detail)                                            \
    do {                                                                                \
        if (!(condition)) ::varnex::fuzz::fail(#condition, __FILE__, __LINE__, detail); \
    } while (0)
