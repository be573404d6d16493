#pragma once

#include "platform/OsVersion.h"

#include <string>

namespace dorvex {

// The operating system as the update request names it.
class ClsGetOSVer {
public:
    explicit ClsGetOSVer(OsVersion& system) : system_(system) {}

    // "platform.major.minor", each a plain decimal number; 0.0.0 when the system does not tell.
    std::string getVersion() const;

private:
    OsVersion& system_;
};

} // namespace dorvex
