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

// A Single shown with seven significant digits and read back.
void checkSingleForms(float value) {
    const std::string plain = varnex::plainForm(value);
    const std::string padded = varnex::paddedForm(value);
    if (!std::isfinite(value)) {
        VARNEX_FUZZ_CHECK(plain == varnex::kNoValueText && padded == varnex::kNoValueText, plain);
        return;
    }
    const std::string shown = numberText(value) + " shown as " + printable(plain);
    VARNEX_FUZZ_CHECK(padded == paddedFromPlain(plain), shown + ", padded " + printable(padded));
    const float back = varnex::singleValue(plain);
    VARNEX_FUZZ_CHECK(
        std::bit_cast<uint32_t>(varnex::singleValue(padded)) == std::bit_cast<uint32_t>(back),
        shown + ", padded " + printable(padded));
    const double tolerance =
        std::max(std::fabs(static_cast<double>(value)) * 6e-7,
                 static_cast<double>(std::numeric_limits<float>::denorm_min()));
    VARNEX_FUZZ_CHECK(std::fabs(static_cast<double>(back) - value) <= tolerance,
                      shown + " reads back " + numberText(back));
    // Seven digits do not name every Single (near 1E+28 two of them share a
    // text), but a value with at most seven digits comes back exactly; zero
    // loses its sign.
    if (shortestDigitCount(value) <= 7)
        VARNEX_FUZZ_CHECK(back == value, shown + " reads back " + numberText(back));
}

// A Double shown with fifteen significant digits and read back.
void checkDoubleForms(double value) {
    const std::string plain = varnex::plainForm(value);
    const std::string padded = varnex::paddedForm(value);
    if (!std::isfinite(value)) {
        VARNEX_FUZZ_CHECK(plain == varnex::kNoValueText && padded == varnex::kNoValueText, plain);
        return;
    }
    const std::string shown = numberText(value) + " shown as " + printable(plain);
    VARNEX_FUZZ_CHECK(padded == paddedFromPlain(plain), shown + ", padded " + printable(padded));
    const double back = varnex::numericValue(plain);
    VARNEX_FUZZ_CHECK(
        std::bit_cast<uint64_t>(varnex::numericValue(padded)) == std::bit_cast<uint64_t>(back),
        shown + ", padded " + printable(padded));
    const double tolerance =
        std::max(std::fabs(value) * 5.2e-15, std::numeric_limits<double>::denorm_min());
    VARNEX_FUZZ_CHECK(std::fabs(back - value) <= tolerance,
                      shown + " reads back " + numberText(back));
    // Fifteen digits are finer than a Double's spacing, so a value read back
    // is shown with the same text again.
    VARNEX_FUZZ_CHECK(varnex::plainForm(back) == plain, shown + " reads back " + numberText(back));
    if (shortestDigitCount(value) <= 15)
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

    checkSingleForms(single);
    checkDoubleForms(value);
    // Every bit pattern, including infinities and NaNs, from the input's first bytes.
    if (size >= sizeof(float)) {
        float bits;
        std::memcpy(&bits, data, sizeof bits);
        checkSingleForms(bits);
    }
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        checkDoubleForms(bits);
    }
    return 0;
}
