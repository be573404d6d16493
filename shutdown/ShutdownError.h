#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dorvex {

// A failure of the shutdown service, raised with its number, source and description. A refused
// power off is caught by nobody: the program shows the number and the description and ends.
class ShutdownError : public std::runtime_error {
public:
    ShutdownError(std::int32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number(number), source(std::move(source)) {}

    // What the user is shown: the number and the description.
    std::string report() const {
        return "Run-time error '" + std::to_string(number) + "':\r\n\r\n" + what();
    }

    std::int32_t number;
    std::string source;
};

} // namespace dorvex
