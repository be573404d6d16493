#pragma once

#include <string>

namespace dorvex {

class Program;

// What the running program sees now, as one JSON object, for "dorvexzede --status": its mode,
// each kind of activity watched with its reading and its count towards the limit, the fixed
// time, the countdown's seconds, the signs of use holding the countdown off, and the source of
// keyboard and mouse.
std::string statusReport(Program& program);

} // namespace dorvex
