#include "config/ConfigText.h"

#include "app/Version.h"
#include "config/SingleText.h"
#include "log/DateText.h"

namespace dorvex {

std::string configFileText(const Settings& settings, const LocalDateTime& now, const Clock& clock) {
    const std::string crlf = "\r\n";
    return "# " + std::string(AppName) + " Version " + std::to_string(VersionMajor) + "." +
           std::to_string(VersionMinor) + crlf + "# Configuration File" + crlf + "# " +
           dateTimeText(now, clock) + crlf + crlf + "[Run]" + crlf +
           "CPUOn=" + singleText(settings.CPUOn) + crlf + "KMOn=" + singleText(settings.KMOn) +
           crlf + "StopOn=" + singleText(settings.StopOn) + crlf +
           "StopTime=" + singleText(settings.StopTime) + crlf + crlf + "[Shutdown]" + crlf +
           "ShutType=" + singleText(settings.ShutType) + crlf;
}

} // namespace dorvex
