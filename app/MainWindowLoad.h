#pragma once

namespace dorvex {

class Program;

// The main window's load and activation.
class MainWindowLoad {
public:
    explicit MainWindowLoad(Program& program) : program_(program) {}

    void Form_Load();
    void Form_Activate();

private:
    Program& program_;
};

} // namespace dorvex
