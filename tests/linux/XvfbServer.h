#pragma once

#include "tests/linux/ChildProcess.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace dorvex::test {

// A virtual X server of the test's own, on a display number the server picks itself; ready to
// accept clients once constructed, and stopped with the object.
class XvfbServer {
public:
    // With -displayfd the server picks a free display and writes its number once it listens.
    XvfbServer() {
        const auto number = server_.readLine(std::chrono::seconds(20));
        if (!number || number->empty()) {
            throw std::runtime_error("Xvfb did not start");
        }
        display_ = ":" + *number;
    }

    // ":N"
    const std::string& display() const { return display_; }
    // Runs xdotool on this display; true when it succeeded. Its input has reached every client
    // then: the server answers a new connection only after it has sent out what it had for the
    // others, which xdotool's own answer may have overtaken.
    bool xdotool(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), "xdotool");
        return runCommand(arguments, {"DISPLAY=" + display_}).status == 0 &&
               runCommand({"xdotool", "getmouselocation"}, {"DISPLAY=" + display_}).status == 0;
    }
    void stop() { server_.stop(); }

private:
    ChildProcess server_{
        {"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"}};
    std::string display_;
};

} // namespace dorvex::test
