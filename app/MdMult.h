#pragma once

#include "platform/NamedMutexes.h"

#include <string_view>

namespace dorvex {

class Program;

// The single-instance guard: a named mutex held for the life of the process.
class MdMult {
public:
    explicit MdMult(Program& program) : program_(program) {}

    // True when another process already holds the named mutex. With release true while a handle
    // is held, closes it instead and returns false. A handle already held, and a creation
    // failure, count as no other instance; a name taken by something else throws MutexError.
    bool Check_PrevInstance(std::string_view name, bool release);

    KernelHandle MutexHandle = 0;

private:
    Program& program_;
};

} // namespace dorvex
