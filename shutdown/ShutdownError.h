#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dorvex {

// A failure of the shutdown service, raised with its number, source and description. Nothing
// catches it: the program shows the number and the description and ends.
class ShutdownError : public std::runtime_error {
public:
    ShutdownError(std::int32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number(number), source(std::move(source)) {}

    std::int32_t number;
    std::string source;
};

} // namespace dorvex
