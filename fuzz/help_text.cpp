// The help file, any bytes: valid UTF-8 is shown as it is, anything else is
// read as Windows-1252; what the window gets is always valid UTF-8.
#include "dialogs/HelpFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;

// Well-formed UTF-8 by the Unicode standard's table of byte ranges, written
// apart from the program's own check (which works on code points).
bool wellFormedUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead == 0xE0) {
            length = 3, low = 0xA0;
        } else if ((lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF) {
            length = 3;
        } else if (lead == 0xED) {
            length = 3, high = 0x9F;
        } else if (lead == 0xF0) {
            length = 4, low = 0x90;
        } else if (lead >= 0xF1 && lead <= 0xF3) {
            length = 4;
        } else if (lead == 0xF4) {
            length = 4, high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return false;
        for (size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// Code points of text that wellFormedUtf8 accepted.
std::u32string codePoints(std::string_view text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += code;
        i += length;
    }
    return out;
}

// Windows-1252: every byte is one character, the byte's own number but at
// 0x80..0x9F, where the code page has its quotes, dashes and signs (the five
// bytes it leaves free keep their number).  Written out here apart from the
// program's own table.
char32_t windows1252(unsigned char byte) {
    static constexpr char32_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

void checkWindows1252(std::string_view bytes, const std::string& utf8) {
    VARNEX_FUZZ_CHECK(wellFormedUtf8(utf8), printable(bytes) + " gives " + printable(utf8));
    const std::u32string characters = codePoints(utf8);
    bool same = characters.size() == bytes.size();
    for (size_t i = 0; same && i < bytes.size(); ++i)
        same = characters[i] == windows1252(static_cast<unsigned char>(bytes[i]));
    VARNEX_FUZZ_CHECK(same, printable(bytes) + " gives " + printable(utf8));
}

// A private program folder, made once and removed when the fuzzer ends.
const std::filesystem::path& programFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varnex-fuzz-help-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    static const int removeAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(programFolder(), ignored);
    });
    (void)removeAtExit;
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool valid = wellFormedUtf8(bytes);
    VARNEX_FUZZ_CHECK(varnex::isValidUtf8(bytes) == valid, printable(bytes));
    checkWindows1252(bytes, varnex::windows1252ToUtf8(bytes));

    // The whole way the help window goes: the file beside the program.
    const std::filesystem::path& folder = programFolder();
    {
        // A new file each time: rewriting one in place makes some file
        // systems flush it to disk at every close.
        std::filesystem::remove(folder / varnex::kHelpFileName);
        std::ofstream file(folder / varnex::kHelpFileName, std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) std::abort();
    }
    const varnex::HelpText help = varnex::loadHelpText(folder);
    VARNEX_FUZZ_CHECK(help.fromFile == !bytes.empty(), printable(bytes));
    VARNEX_FUZZ_CHECK(wellFormedUtf8(help.utf8),
                      printable(bytes) + " gives " + printable(help.utf8));
    if (bytes.empty())
        VARNEX_FUZZ_CHECK(
            help.utf8.find((folder / varnex::kHelpFileName).string()) != std::string::npos,
            "the note does not name the file: " + printable(help.utf8));
    else if (valid)
        VARNEX_FUZZ_CHECK(help.utf8 == bytes, printable(bytes) + " gives " + printable(help.utf8));
    else
        checkWindows1252(bytes, help.utf8);
    return 0;
}
