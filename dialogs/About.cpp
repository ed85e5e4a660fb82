#include "dialogs/About.h"

namespace varnex {

std::string aboutMessage() {
    // VARNEX_VERSION comes from the project's version in the build.
    std::string text = VARNEX_VERSION;
    text += "  Copyright (C) 2026 the Varnex project. MIT licence, without warranty.";
    text += "\r\n";
    text += "       Written by the Varnex bench-tools team";
    return text;
}

}  // namespace varnex
