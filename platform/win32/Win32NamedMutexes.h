#pragma once

#include "platform/NamedMutexes.h"

namespace dorvex {

// Named mutexes of the logon session from CreateMutexA (a name without a namespace prefix).
class Win32NamedMutexes : public NamedMutexes {
public:
    MutexCreation create(std::string_view name) override;
    void close(KernelHandle handle) override;
};

} // namespace dorvex
