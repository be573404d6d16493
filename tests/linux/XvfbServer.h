#pragma once

#include "tests/linux/ChildProcess.h"

#include <string>
#include <vector>

namespace dorvex::test {

// A virtual X server of the test's own, on a display number the server picks itself; ready to
// accept clients once constructed, and stopped with the object.
class XvfbServer {
public:
    XvfbServer();

    // ":N"
    const std::string& display() const { return display_; }
    // Runs xdotool on this display; true when it succeeded.
    bool xdotool(const std::vector<std::string>& arguments) const;
    void stop() { server_.stop(); }

private:
    ChildProcess server_;
    std::string display_;
};

} // namespace dorvex::test
