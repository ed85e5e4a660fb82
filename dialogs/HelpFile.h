// The help text file beside the program, read whole for the help window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varnex {

inline constexpr std::string_view kHelpFileName = "MyHelp.txt";

struct HelpText {
    std::string utf8;       // what the help window shows
    bool fromFile = false;  // false: utf8 is a note saying why the file could not be read
};

// Reads <programFolder>/MyHelp.txt whole, line ends as they stand.  The file
// is taken as UTF-8 when it is valid UTF-8, else as Latin-1 (the single-byte
// code page help files were written in).  A missing, empty or unreadable
// file gives a note naming the file and the reason instead; never throws.
HelpText loadHelpText(const std::filesystem::path& programFolder);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

std::string latin1ToUtf8(std::string_view bytes);

}  // namespace varnex
