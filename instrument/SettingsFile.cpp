#include "instrument/SettingsFile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <system_error>
#include <type_traits>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnex {
namespace {

// Where each line of the file lives in the settings: pointers to const for
// the writer, to mutable values for the reader.
template <typename T, typename S>
using Like = std::conditional_t<std::is_const_v<S>, const T, T>;
template <typename S>
using Field = std::variant<Like<float, S>*, Like<double, S>*, Like<int16_t, S>*, Like<int32_t, S>*>;

// The file's lines in order; reader and writer share this one table.
template <typename S>
std::array<Field<S>, kSettingsLineCount> fieldsOf(S& s) {
    auto& r = s.resistors;
    auto& scope = s.scope;
    return {&r.Rm,          &s.steps.uLMS,      &s.calibration.Bal, &s.calibration.Vperbit,
            &s.TrigLev,     &s.SigGenLvl,       &scope.TimeBase,    &scope.Lgain,
            &scope.GridOn,  &scope.ScopeMode,   &scope.Rgain,       &scope.CursorsOn,
            &scope.Cursor1, &scope.Cursor2,     &scope.TimeReadout, &scope.TBscale,
            &s.tare.Ctare,  &s.tare.Ltare,      &s.tare.Rtare,      &r.RmOptFlag,
            &r.Rm10,        &r.Rm100,           &r.Rm1000,          &r.Rm10000,
            &r.Rm100000,    &s.steps.LMSOptFlag};
}

// Longer lines are no number of ours; only their start is kept.
constexpr size_t kMaxLineLength = 256;
constexpr size_t kMaxFileBytes = 64 * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The whole line must be one decimal number that fits the type.
template <typename Floating>
bool parseFloating(std::string_view text, Floating& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    Floating value{};
    auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

// Whole-number lines accept a decimal text too and round it half to even, as
// a number typed into the file by hand would be taken.
template <typename Integer>
bool parseInteger(std::string_view text, Integer& out) {
    double value = 0;
    if (!parseFloating(text, value)) return false;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max())
        return false;
    out = static_cast<Integer>(rounded);
    return true;
}

bool applyLine(std::string_view line, const Field<Settings>& field) {
    const std::string_view text = trimmed(line);
    return std::visit(
        [&](auto pointer) {
            auto& target = *pointer;
            using T = std::remove_reference_t<decltype(target)>;
            if constexpr (std::is_floating_point_v<T>)
                return parseFloating(text, target);
            else
                return parseInteger(text, target);
        },
        field);
}

// Shortest text that reads back to the same value of its type; plain digits
// where a person editing the file would expect them (100000, not 1E+05).
template <typename T>
std::string shortestText(T value) {
    char buffer[512];
    std::to_chars_result result;
    if constexpr (std::is_floating_point_v<T>) {
        const T magnitude = std::fabs(value);
        const bool plain = magnitude == 0 || (magnitude >= T(1e-4) && magnitude < T(1e15));
        result = std::to_chars(buffer, buffer + sizeof buffer, value,
                               plain ? std::chars_format::fixed : std::chars_format::scientific);
    } else {
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    std::string text(buffer, result.ptr);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

// The file a chain of symbolic links ends at (the name itself when it is no
// link); a link whose target does not exist yet leads to that name.
std::filesystem::path linkTarget(std::filesystem::path file) {
    constexpr int kMaxLinks = 40;  // as the system's own limit on a loop
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!std::filesystem::is_symlink(file, error)) break;
        const std::filesystem::path next = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    return file;
}

bool writeAll(int out, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(out, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A new file of its own beside the target, for this process only, with the
// mode a new file gets (the umask applies); -1 when the folder takes none.
int createTemporary(const std::filesystem::path& target, std::string& name) {
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        name = target.string() + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(i);
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The rename is only durable once the folder is.
void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// For a writable file in a folder that takes no temporary file, as the file
// was written before it was replaced whole.  The text is a few hundred bytes
// over an old one of about the same size, so it rarely needs a new block; a
// disk that is full to the last block can still spoil it here.
bool rewriteInPlace(const std::filesystem::path& file, std::string_view text) {
    const int out = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (out < 0) return false;
    bool done = writeAll(out, text) && ::ftruncate(out, static_cast<off_t>(text.size())) == 0 &&
                ::fsync(out) == 0;
    done = ::close(out) == 0 && done;
    return done;
}

}  // namespace

int applySettingsText(std::string_view text, Settings& settings) {
    // An editor may have put a UTF-8 byte-order mark before line 1.
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    const auto fields = fieldsOf(settings);
    int applied = 0;
    size_t lineStart = 0;
    for (size_t index = 0; index < fields.size() && lineStart < text.size(); ++index) {
        // A line ends at CR LF, LF or a lone CR (as an old Mac editor saves).
        size_t lineEnd = text.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.size() <= kMaxLineLength && applyLine(line, fields[index])) ++applied;
        lineStart = text.compare(lineEnd, 2, "\r\n") == 0 ? lineEnd + 2 : lineEnd + 1;
    }
    return applied;
}

int readSettings(const std::filesystem::path& file, Settings& settings) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return 0;
    // A real file is under a kilobyte; whatever lies beyond the first
    // kMaxFileBytes of a huge or binary file is never looked at.
    std::string text(kMaxFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return applySettingsText(text, settings);
}

std::string settingsText(const Settings& settings) {
    std::string text;
    for (const auto& field : fieldsOf(settings)) {
        std::visit([&](auto pointer) { text += shortestText(*pointer); }, field);
        text += "\r\n";
    }
    return text;
}

bool writeSettings(const std::filesystem::path& file, const Settings& settings) {
    const std::string text = settingsText(settings);
    // A symbolic link stays a link: the file it leads to is replaced, in
    // that file's own folder, so the rename stays within one file system.
    const std::filesystem::path target = linkTarget(file);

    // The old file is only replaced when it could have been written: a
    // read-only file stays as it is (the rename alone would go around its
    // mode).  Its mode and owner go over to the new file.
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing) {
        if (!S_ISREG(old.st_mode)) return false;
        // Non-blocking, so that a file swapped for a pipe cannot hang Exit.
        const int probe = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (probe < 0) return false;
        ::close(probe);
    }

    std::string temporary;
    const int out = createTemporary(target, temporary);
    if (out < 0) {
        // A folder that takes no new file may still hold a writable one.
        return replacing && rewriteInPlace(target, text);
    }
    bool done = true;
    if (replacing) {
        // Only the superuser can give the file back to its owner; anyone
        // else's new file is their own, as any file they create.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(out, old.st_uid, old.st_gid) != 0 && ::geteuid() == 0)
            done = false;
        done = done && ::fchmod(out, old.st_mode & 07777) == 0;
    }
    done = done && writeAll(out, text) && ::fsync(out) == 0;
    done = ::close(out) == 0 && done;
    if (done && ::rename(temporary.c_str(), target.c_str()) == 0) {
        syncFolder(target.parent_path());
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace varnex
