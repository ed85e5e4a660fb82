// Where the program's own files are.  A portable copy (the build tree, or any
// folder that holds varnex and MyHelp.txt together) keeps its settings file
// beside itself.  An installed program, whose help text is in
// ../share/varnex/ counted from its own folder, keeps the settings of each
// user in $XDG_CONFIG_HOME/varnex/ (default ~/.config/varnex/) and never
// writes into its own folder.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

namespace varnex {

struct ProgramFiles {
    // The folder the help text is read from.
    std::filesystem::path helpFolder;
    // The settings file; none when there is no place for it (an installed
    // program without a usable home folder): the defaults hold and Exit
    // writes nothing.
    std::optional<std::filesystem::path> settingsFile;
    bool installed = false;
};

// The value of an environment variable, or nullptr.
using Environment = std::function<const char*(const char*)>;

ProgramFiles locateProgramFiles(const std::filesystem::path& programFolder,
                                const Environment& environment);

}  // namespace varnex
