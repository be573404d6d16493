#include "update/ClsGetOSVer.h"

namespace dorvex {

std::string ClsGetOSVer::getVersion() const {
    const OsVersionNumbers numbers = system_.numbers();
    return std::to_string(numbers.platform) + "." + std::to_string(numbers.major) + "." +
           std::to_string(numbers.minor);
}

} // namespace dorvex
