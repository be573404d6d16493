#pragma once

#include <string>

namespace dorvex::qt {

// Why Qt would find no plugin for any of the platforms (as QT_QPA_PLATFORM names them, "wayland"
// or "wayland;xcb", each perhaps with options after ":"), naming the package that brings each,
// or nothing when one is installed: Qt itself would abort. Asked before the application exists,
// in the folders Qt looks in (those of $QT_QPA_PLATFORM_PLUGIN_PATH, and "platforms" in those of
// $QT_PLUGIN_PATH, Qt's plugin folder and the program's own), from the plugins' metadata, which
// is read without loading them.
std::string missingPlatformPlugin(const std::string& platforms);

} // namespace dorvex::qt
