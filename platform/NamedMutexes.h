#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace dorvex {

using KernelHandle = std::uint32_t; // 0 stands for no handle

// A name taken by something that is not such a mutex, for example a file another user planted:
// neither a mutex of this session nor free, so nothing may be assumed. what() says what it is.
class MutexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MutexCreation {
    KernelHandle handle = 0; // 0 when the mutex could not be created
    bool alreadyExists = false;
};

// Named mutexes of the user's logon session, used as a marker between processes. A mutex exists
// while any process, this one included, holds a handle to it; it goes with the last handle, also
// when a process dies.
class NamedMutexes {
public:
    virtual ~NamedMutexes() = default;
    // Throws MutexError when the name is taken by something else.
    virtual MutexCreation create(std::string_view name) = 0;
    virtual void close(KernelHandle handle) = 0;
};

} // namespace dorvex
