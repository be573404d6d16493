#include "desktop/LinuxDesktopPlatform.h"

#include "app/Version.h"
#include "platform/linux/InputSourceChoice.h"
#include "platform/linux/TimerSlack.h"

#include <filesystem>

namespace dorvex {

bool DesktopWindowSystem::openUrl(const std::string& url) {
    const UsualTimerSlack usual;
    return QtWindowSystem::openUrl(url);
}

LinuxDesktopPlatform::LinuxDesktopPlatform()
    : files_(std::filesystem::current_path()), input_(chooseInputDevices()),
      notices_(AppName, busWatches_) {}

Platform LinuxDesktopPlatform::platform() {
    return {clock_,       files_,   mutexes_, process_,       priority_,  windows_,
            systemTimes_, *input_,  power_,   accounts_,      osVersion_, urls_,
            signSources_, notices_, journal_, statusRequests_};
}

} // namespace dorvex
