// The window's --log file: one CSV line per measurement run, appended, with
// the header when the file is new.  A file that cannot be opened is refused
// at once; a write that fails later is reported once and the log goes on
// trying.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "measure/ReadingRecords.h"

namespace varnex {

class ReadingLog {
public:
    // Opens the file for appending (creating it).  Nothing, and *why set,
    // when it cannot be opened.
    static std::unique_ptr<ReadingLog> open(const std::filesystem::path& file, std::string* why);

    // Appends to a file already open (the log closes it); no header is written.
    explicit ReadingLog(std::FILE* file) : file_(file) {}
    ~ReadingLog();
    ReadingLog(const ReadingLog&) = delete;
    ReadingLog& operator=(const ReadingLog&) = delete;

    // Appends the reading's line and flushes it.  Returns false the first
    // time a write fails (with *why set), so the caller tells the user once;
    // later failures return true.
    bool append(const ImpedanceReading& reading, ReadingTime time, std::string* why);

private:
    std::FILE* file_;
    bool failed_ = false;
};

}  // namespace varnex
