#pragma once

#include <string>

namespace dorvex {

// Why the window system cannot start in this environment, or nothing when it can: Qt itself
// would abort without a display.
std::string missingGraphicalSession();

} // namespace dorvex
