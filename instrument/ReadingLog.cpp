#include "instrument/ReadingLog.h"

#include <cerrno>
#include <cstring>

namespace varnex {

std::unique_ptr<ReadingLog> ReadingLog::open(const std::filesystem::path& file, std::string* why) {
    std::FILE* out = std::fopen(file.c_str(), "a");
    if (out == nullptr) {
        if (why) *why = std::strerror(errno);
        return nullptr;
    }
    auto log = std::make_unique<ReadingLog>(out);
    // A file that already holds lines has its header.
    std::fseek(out, 0, SEEK_END);
    if (std::ftell(out) == 0 &&
        (std::fputs((csvHeader() + "\n").c_str(), out) < 0 || std::fflush(out) != 0)) {
        if (why) *why = std::strerror(errno);
        return nullptr;
    }
    return log;
}

ReadingLog::~ReadingLog() {
    std::fclose(file_);
}

bool ReadingLog::append(const ImpedanceReading& reading, ReadingTime time, std::string* why) {
    const std::string line = csvLine(reading, time) + "\n";
    const bool written = std::fputs(line.c_str(), file_) >= 0 && std::fflush(file_) == 0;
    if (written || failed_) return true;
    failed_ = true;
    if (why) *why = std::strerror(errno);
    std::clearerr(file_);
    return false;
}

}  // namespace varnex
