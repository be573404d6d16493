#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace dorvex {

// What a sign of use holds off. Presence (a program keeping the machine awake, sound playing,
// another session in use) makes keyboard and mouse count as in use; work (a transfer) makes the
// processor count as busy. Each holds off the countdown only where its kind is watched.
enum class SignKind { Presence, Work };

// One service telling of use that the processor load, keyboard and mouse do not show.
class SignSource {
public:
    virtual ~SignSource() = default;
    virtual SignKind kind() const = 0;
    // Adds a line for the user for each sign seen now; none while the service has not answered.
    // Use longer ago than `quietLimit` (the quiet time of the kind it holds) is no sign. Asked at
    // most once a tick, only while its kind is watched; returns within a few milliseconds
    // whatever the services asked do.
    virtual void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) = 0;
};

// Every source of the platform, in the order their signs are named.
using SignSources = std::vector<SignSource*>;

} // namespace dorvex
