#include "dialogs/HelpFile.h"

#include <array>
#include <fstream>
#include <system_error>

namespace varnex {
namespace {

std::string cannotReadNote(const std::filesystem::path& file, std::string_view reason) {
    std::string note = "The help text could not be read.\r\n\r\n";
    note += "File looked for:  " + file.string() + "\r\n";
    note += "Reason:           ";
    note += reason;
    note += "\r\n\r\n";
    note += "Put ";
    note += kHelpFileName;
    note += " back into the program's folder, then close this window and choose Help again\r\n";
    note += "(the file is read when the help window opens).\r\n";
    return note;
}

// Reads the whole file; false when it cannot be opened or a read fails.
bool readWhole(const std::filesystem::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::array<char, 65536> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<size_t>(in.gcount()));
    return in.eof() && !in.bad();
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Windows-1252 at 0x80..0x9F; from 0xA0 on it is Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// Code points below 0x10000 (all a single-byte code page holds).
void appendUtf8(std::string& text, char32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

HelpText loadHelpText(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / kHelpFileName;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        return {cannotReadNote(file, "the file does not exist."), false};
    // A folder or a pipe under that name would fail or block the read.
    if (!std::filesystem::is_regular_file(status))
        return {cannotReadNote(file, "it is not a plain file."), false};

    std::string bytes;
    if (!readWhole(file, bytes))
        return {cannotReadNote(file, "it could not be opened or read (check its permissions)."),
                false};
    if (bytes.empty()) return {cannotReadNote(file, "the file is empty."), false};
    if (isValidUtf8(bytes)) return {std::move(bytes), true};
    return {windows1252ToUtf8(bytes), true};
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!isContinuation(next)) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t code = byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
        appendUtf8(text, code);
    }
    return text;
}

}  // namespace varnex
