// The settings file "Varnexinit": 26 numbers, one a line, CR LF, read once at
// start-up and written once by Exit.
#pragma once

#include <filesystem>
#include <string>

#include "instrument/Settings.h"

namespace varnex {

inline constexpr int kSettingsLineCount = 26;
inline constexpr const char* kSettingsFileName = "Varnexinit";

// Applies the lines present, in order.  A line that is not a number of its
// line's type leaves that variable as it was; reading goes on with the next
// line.  Only the start of the file is read and a line longer than any
// number is skipped, so a huge or binary file costs nothing.  Returns how
// many lines were applied.
int readSettings(const std::filesystem::path& file, Settings& settings);

// Same, from text already in memory: lines end with CR LF, LF or CR, and a
// UTF-8 byte-order mark before the first line is skipped.
int applySettingsText(std::string_view text, Settings& settings);

// The 26 lines, each the shortest text that reads back to the same value of
// its type, point decimals, CR LF.
std::string settingsText(const Settings& settings);

// Writes the file through a temporary file in the same folder and a rename,
// so a crash or a full disk never leaves a truncated file behind.  A file
// that may not be written (read-only) is left as it is; a symbolic link stays
// a link and the file it leads to is replaced.  The new file keeps the old
// one's mode.  Returns false when nothing could be written; the old file is
// then untouched.
bool writeSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace varnex
