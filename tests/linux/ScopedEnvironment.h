#pragma once

#include <optional>
#include <string>

namespace dorvex::test {

// Sets or removes an environment variable of this process and restores it at the end.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace dorvex::test
