#pragma once

#include <string>

namespace dorvex {

// The argument text the program reads its switches from: the arguments joined by blanks.
std::string argumentText(int argc, char** argv);

// What "--help" prints.
std::string helpText();

} // namespace dorvex
