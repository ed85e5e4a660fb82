// Text to number, as every number typed into a dialog box is read, and the
// plain and padded forms the boxes show read back.
#include "common/NumberText.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') out += c;
    return out;
}

std::string numberText(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// Significant digits of the shortest text that reads back to the value.
template <typename T>
int shortestDigitCount(T value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    int count = 0;
    for (const char* c = text; c < result.ptr && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9') ++count;
    return count;
}

// The C library's reading of the same leading decimal number.  strtod also
// takes hexadecimal, infinity, NaN and more blanks; those texts are not compared.
void compareWithStrtod(const std::string& compact, double value) {
    size_t start = 0;
    if (start < compact.size() && (compact[start] == '+' || compact[start] == '-')) ++start;
    if (start >= compact.size()) return;
    const char first = compact[start];
    if (!(first >= '0' && first <= '9') && first != '.') return;
    if (first == '0' && start + 1 < compact.size() && (compact[start + 1] | 0x20) == 'x') return;
    errno = 0;
    const double expected = std::strtod(compact.c_str(), nullptr);
    if (errno == ERANGE) {
        // Beyond a double gives 0; a number in the subnormal range may come back.
        const bool underflow = std::fabs(expected) < std::numeric_limits<double>::min();
        VARNEX_FUZZ_CHECK(value == 0 || (underflow && value == expected),
                          printable(compact) + " gives " + numberText(value));
        return;
    }
    VARNEX_FUZZ_CHECK(
        std::bit_cast<uint64_t>(value) == std::bit_cast<uint64_t>(expected),
        printable(compact) + " gives " + numberText(value) + ", strtod " + numberText(expected));
}

// The padded form: the plain form's digits, a blank where a minus would go,
// no zero before the point.
std::string paddedFromPlain(std::string_view plain) {
    std::string padded = plain.front() == '-' ? "-" : " ";
    std::string_view rest = plain.front() == '-' ? plain.substr(1) : plain;
    if (rest.substr(0, 2) == "0.") rest.remove_prefix(1);
    return padded + std::string(rest);
}

// What differs between a Single and a Double shown and read back.
template <typename T>
struct Shown;
template <>
struct Shown<float> {
    using Bits = uint32_t;
    static float read(std::string_view text) { return varnex::singleValue(text); }
    static constexpr int kDigits = 7;
    static constexpr double kRelativeError = 6e-7;
    // Seven digits do not name every Single (near 1E+28 two of them share a
    // text), so a value read back may be shown differently.
    static constexpr bool kTextIsStable = false;
};
template <>
struct Shown<double> {
    using Bits = uint64_t;
    static double read(std::string_view text) { return varnex::numericValue(text); }
    static constexpr int kDigits = 15;
    static constexpr double kRelativeError = 5.2e-15;
    // Fifteen digits are finer than a Double's spacing.
    static constexpr bool kTextIsStable = true;
};

// A value shown with its type's significant digits, plain and padded, and
// read back: close to the value, the same from both forms, and exact when
// the value has no more digits than are shown (zero loses its sign).
template <typename T>
void checkForms(T value) {
    using S = Shown<T>;
    const std::string plain = varnex::plainForm(value);
    const std::string padded = varnex::paddedForm(value);
    if (!std::isfinite(value)) {
        VARNEX_FUZZ_CHECK(plain == varnex::kNoValueText && padded == varnex::kNoValueText, plain);
        return;
    }
    const std::string shown = numberText(value) + " shown as " + printable(plain);
    VARNEX_FUZZ_CHECK(padded == paddedFromPlain(plain), shown + ", padded " + printable(padded));
    const T back = S::read(plain);
    VARNEX_FUZZ_CHECK(
        std::bit_cast<typename S::Bits>(S::read(padded)) == std::bit_cast<typename S::Bits>(back),
        shown + ", padded " + printable(padded));
    const double tolerance = std::max(std::fabs(static_cast<double>(value)) * S::kRelativeError,
                                      static_cast<double>(std::numeric_limits<T>::denorm_min()));
    VARNEX_FUZZ_CHECK(
        std::fabs(static_cast<double>(back) - static_cast<double>(value)) <= tolerance,
        shown + " reads back " + numberText(back));
    if (S::kTextIsStable)
        VARNEX_FUZZ_CHECK(varnex::plainForm(back) == plain,
                          shown + " reads back " + numberText(back));
    if (shortestDigitCount(value) <= S::kDigits)
        VARNEX_FUZZ_CHECK(back == value, shown + " reads back " + numberText(back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double value = varnex::numericValue(text);
    VARNEX_FUZZ_CHECK(std::isfinite(value), printable(text) + " gives " + numberText(value));
    // Blanks anywhere are ignored.
    const std::string compact = withoutBlanks(text);
    VARNEX_FUZZ_CHECK(
        std::bit_cast<uint64_t>(varnex::numericValue(compact)) == std::bit_cast<uint64_t>(value),
        printable(text) + " gives " + numberText(value) + " but without blanks " +
            numberText(varnex::numericValue(compact)));
    compareWithStrtod(compact, value);

    const float single = varnex::singleValue(text);
    const float expectedSingle =
        std::fabs(value) > std::numeric_limits<float>::max() ? 0.0f : static_cast<float>(value);
    VARNEX_FUZZ_CHECK(std::bit_cast<uint32_t>(single) == std::bit_cast<uint32_t>(expectedSingle),
                      printable(text) + " gives the Single " + numberText(single));

    checkForms(single);
    checkForms(value);
    // Every bit pattern, including infinities and NaNs, from the input's first bytes.
    if (size >= sizeof(float)) {
        float bits;
        std::memcpy(&bits, data, sizeof bits);
        checkForms(bits);
    }
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        checkForms(bits);
    }
    return 0;
}
