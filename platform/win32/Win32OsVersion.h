#pragma once

#include "platform/OsVersion.h"

namespace dorvex {

// Platform and version numbers as GetVersionExA reports them (Windows 8.1 and later tell their
// own version only to programs whose manifest names them, others hear 6.2).
class Win32OsVersion : public OsVersion {
public:
    OsVersionNumbers numbers() override;
};

} // namespace dorvex
