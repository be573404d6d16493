#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace dorvex::test {

// Sets or removes an environment variable of this process and restores it at the end.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* saved = std::getenv(name_.c_str())) {
            saved_ = saved;
        }
        put(value);
    }
    ~ScopedEnvironment() { put(saved_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void put(const std::optional<std::string>& value) const {
        value ? ::setenv(name_.c_str(), value->c_str(), 1) : ::unsetenv(name_.c_str());
    }

    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace dorvex::test
