// The help text file beside the program, read whole for the help window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/HelpFileName.h"

namespace varnex {

struct HelpText {
    std::string utf8;       // what the help window shows
    bool fromFile = false;  // false: utf8 is a note saying why the file could not be read
};

// Reads <programFolder>/MyHelp.txt whole, line ends as they stand.  The file
// is taken as UTF-8 when it is valid UTF-8, else as Windows-1252 (the
// single-byte code page help files were written in; for text a superset of
// Latin-1, with curly quotes, dashes and the euro sign at 0x80..0x9F).  A missing, empty or
// unreadable file gives a note naming the file and the reason instead; never throws.
HelpText loadHelpText(const std::filesystem::path& programFolder);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Bytes in Windows-1252 as UTF-8; the five bytes the code page leaves free
// become the control characters of the same number, as Windows maps them.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace varnex
