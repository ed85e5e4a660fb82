// The settings file as read at start-up, and the write-read round trip of
// whatever was read.
#include "instrument/SettingsFile.h"

#include <memory>
#include <string>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;

// Each written line is a finite decimal number: no "inf" or "nan".
bool isNumberLine(std::string_view line) {
    if (line.empty()) return false;
    for (const char c : line)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E')) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    static const varnex::Settings startUp;
    static const auto read = std::make_unique<varnex::Settings>();
    static const auto again = std::make_unique<varnex::Settings>();
    *read = startUp;
    const int applied = varnex::applySettingsText(text, *read);
    VARNEX_FUZZ_CHECK(applied >= 0 && applied <= varnex::kSettingsLineCount,
                      std::to_string(applied));

    const std::string written = varnex::settingsText(*read);
    size_t lines = 0;
    for (size_t start = 0; start < written.size(); ++lines) {
        const size_t end = written.find("\r\n", start);
        VARNEX_FUZZ_CHECK(end != std::string::npos, printable(written));
        VARNEX_FUZZ_CHECK(isNumberLine(std::string_view(written).substr(start, end - start)),
                          printable(text) + " is written as " + printable(written));
        start = end + 2;
    }
    VARNEX_FUZZ_CHECK(lines == varnex::kSettingsLineCount, printable(written));

    // Written and read again into a fresh state: every line applies and gives
    // the same values.  The written text is the shortest one of each value,
    // so equal texts mean bitwise equal values (the sign of zero included).
    *again = startUp;
    VARNEX_FUZZ_CHECK(varnex::applySettingsText(written, *again) == varnex::kSettingsLineCount,
                      printable(written));
    VARNEX_FUZZ_CHECK(varnex::settingsText(*again) == written,
                      printable(text) + " is written as " + printable(written) + " and then as " +
                          printable(varnex::settingsText(*again)));

    // Reading the same file twice changes nothing the first reading did not.
    VARNEX_FUZZ_CHECK(varnex::applySettingsText(text, *again) == applied, printable(text));
    VARNEX_FUZZ_CHECK(varnex::settingsText(*again) == written, printable(text));
    return 0;
}
