#include "instrument/ProgramFiles.h"

#include <system_error>

#include "common/HelpFileName.h"
#include "instrument/SettingsFile.h"

namespace varnex {
namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The user's configuration folder by the XDG rules: XDG_CONFIG_HOME when it
// is an absolute path, else ~/.config; nothing without a home folder.
std::optional<std::filesystem::path> configurationFolder(const Environment& environment) {
    const char* xdg = environment("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg);
    const char* home = environment("HOME");
    if (home == nullptr || *home == '\0' || !isFolder(home)) return std::nullopt;
    return std::filesystem::path(home) / ".config";
}

}  // namespace

ProgramFiles locateProgramFiles(const std::filesystem::path& programFolder,
                                const Environment& environment) {
    ProgramFiles files;
    const std::filesystem::path shared = programFolder / ".." / "share" / "varnex";
    if (!isFile(programFolder / kHelpFileName) && isFile(shared / kHelpFileName)) {
        files.installed = true;
        files.helpFolder = shared.lexically_normal();
        if (const auto config = configurationFolder(environment))
            files.settingsFile = *config / "varnex" / kSettingsFileName;
        return files;
    }
    // Beside the program: a portable copy, or one whose help is lost.
    files.helpFolder = programFolder;
    files.settingsFile = programFolder / kSettingsFileName;
    return files;
}

}  // namespace varnex
