#include "desktop/win32/Win32DesktopPlatform.h"

#include <filesystem>

namespace dorvex {

Win32DesktopPlatform::Win32DesktopPlatform(HINSTANCE instance)
    : windows_(instance),
      urls_([this](std::function<void()> event) { windows_.postToWindowThread(std::move(event)); }),
      files_(std::filesystem::current_path()), statusRequests_(instance) {}

Platform Win32DesktopPlatform::platform() {
    return {clock_,       files_,   mutexes_,   process_,       priority_,  windows_,
            systemTimes_, input_,   power_,     accounts_,      osVersion_, urls_,
            signSources_, notices_, systemLog_, statusRequests_};
}

} // namespace dorvex
