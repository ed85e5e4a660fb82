// What the platform gives the main window.  Production passes Qt message
// boxes and the executable's folder; tests pass scripted boxes and a
// temporary folder.
#pragma once

#include <filesystem>
#include <memory>

#include "app/MessageBoxes.h"

namespace varnex {

struct Platform {
    std::unique_ptr<MessageBoxes> messageBoxes;
    // Where the settings file and the help file live.
    std::filesystem::path programFolder;
};

}  // namespace varnex
