#pragma once

#include <cstdint>

namespace dorvex {

struct OsVersionNumbers {
    std::uint32_t platform = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

class OsVersion {
public:
    virtual ~OsVersion() = default;
    // All zero when the system does not tell.
    virtual OsVersionNumbers numbers() = 0;
};

} // namespace dorvex
