#include "platform/linux/UnameOsVersion.h"

#include <charconv>
#include <sys/utsname.h>

namespace dorvex {

OsVersionNumbers UnameOsVersion::numbers() {
    utsname names{};
    if (::uname(&names) != 0) {
        return {};
    }
    return fromRelease(names.release);
}

OsVersionNumbers UnameOsVersion::fromRelease(std::string_view release) {
    const char* end = release.data() + release.size();
    OsVersionNumbers numbers{linuxPlatform};
    const auto [dot, majorError] = std::from_chars(release.data(), end, numbers.major);
    if (majorError != std::errc{} || dot == end || *dot != '.' ||
        std::from_chars(dot + 1, end, numbers.minor).ec != std::errc{}) {
        return {};
    }
    return numbers;
}

} // namespace dorvex
