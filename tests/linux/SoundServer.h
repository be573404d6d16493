#pragma once

#include "tests/linux/ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace dorvex::test {

// A PulseAudio server of a test's own with a null sink, its socket `native` and its files in
// `folder`. It refuses to run as root but as a system server, so as root it runs as nobody.
class SoundServer {
public:
    explicit SoundServer(const std::filesystem::path& folder) {
        const std::filesystem::path socket = folder / "native", script = folder / "server.pa";
        std::ofstream(script) << "load-module module-null-sink\nload-module "
                                 "module-native-protocol-unix auth-anonymous=1 socket="
                              << socket.string() << "\n";
        std::vector<std::string> command{"sh", "-c", "exec \"$@\" 2>/dev/null", "sh"};
        if (::geteuid() == 0) {
            ::chown(folder.c_str(), 65534, 65534);
            command.insert(command.end(),
                           {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
        }
        command.insert(command.end(), {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                       "--disable-shm", "--use-pid-file=no", "-F", script});
        server_.emplace(command, std::vector<std::string>{"HOME=" + folder.string(),
                                                          "XDG_RUNTIME_DIR=" + folder.string()});
        for (int tries = 0; tries < 100 && !std::filesystem::exists(socket); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

private:
    std::optional<ChildProcess> server_;
};

} // namespace dorvex::test
