#include "tests/linux/ScopedEnvironment.h"

#include <cstdlib>

namespace dorvex::test {

namespace {

void put(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

} // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
    if (const char* saved = std::getenv(name_.c_str())) {
        saved_ = saved;
    }
    put(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    put(name_, saved_);
}

} // namespace dorvex::test
