// The About message: version and rights on the first line, the author credit
// indented by seven blanks on the second.
#pragma once

#include <string>
#include <string_view>

namespace varnex {

inline constexpr std::string_view kAboutTitle = "Varnex Bridge Program";

std::string aboutMessage();

}  // namespace varnex
