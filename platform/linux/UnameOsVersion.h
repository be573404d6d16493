#pragma once

#include "platform/OsVersion.h"

#include <cstdint>
#include <string_view>

namespace dorvex {

// The running Linux kernel's major and minor version, under a platform number of its own.
class UnameOsVersion : public OsVersion {
public:
    // Windows uses 0 to 3; 4 is the number .NET gives Unix.
    static constexpr std::uint32_t linuxPlatform = 4;

    OsVersionNumbers numbers() override;
    // The numbers of a kernel release such as "6.1.0-18-amd64"; all zero when it has none.
    static OsVersionNumbers fromRelease(std::string_view release);
};

} // namespace dorvex
