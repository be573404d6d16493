#pragma once

namespace dorvex {

class Program;

// The process entry: a second instance only shows its notice; otherwise the main window loads.
void Main(Program& program);

} // namespace dorvex
