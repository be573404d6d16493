#include "tests/linux/XvfbServer.h"

#include <stdexcept>

namespace dorvex::test {

// With -displayfd the server picks a free display and writes its number once it listens.
XvfbServer::XvfbServer()
    : server_({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"}) {
    const auto number = server_.readLine(std::chrono::seconds(20));
    if (!number || number->empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + *number;
}

bool XvfbServer::xdotool(const std::vector<std::string>& arguments) const {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runCommand(command, {"DISPLAY=" + display_}).status == 0;
}

} // namespace dorvex::test
