// The help file's name, which both finds the help and tells an installed
// program from a portable copy.
#pragma once

#include <string_view>

namespace varnex {

inline constexpr std::string_view kHelpFileName = "MyHelp.txt";

}  // namespace varnex
