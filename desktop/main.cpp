// Dorvex Zede on a Linux desktop: the program's core on Qt windows and the Linux services.
#include "app/Program.h"
#include "desktop/CommandLine.h"
#include "platform/linux/BusStatusQuery.h"
#include "platform/linux/BusStatusRequests.h"
#include "platform/linux/DbusDesktopNotices.h"
#include "platform/linux/DbusWakeInhibitors.h"
#include "platform/linux/FlockNamedMutexes.h"
#include "platform/linux/GraphicalSession.h"
#include "platform/linux/InputSourceChoice.h"
#include "platform/linux/JournalSystemLog.h"
#include "platform/linux/LinuxProcessPriority.h"
#include "platform/linux/LinuxSystemTimes.h"
#include "platform/linux/LocalClock.h"
#include "platform/linux/LogindPowerControl.h"
#include "platform/linux/LogindSessions.h"
#include "platform/linux/NetworkTransfers.h"
#include "platform/linux/PosixAccounts.h"
#include "platform/linux/PulseSoundStreams.h"
#include "platform/linux/TimerSlack.h"
#include "platform/linux/UnameOsVersion.h"
#include "platform/linux/UnansweringBusGuard.h"
#include "platform/qt/EndRequests.h"
#include "platform/qt/PlatformPlugins.h"
#include "platform/qt/QtProcessControl.h"
#include "platform/qt/QtReadableWatches.h"
#include "platform/qt/QtUrlReader.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/stdfs/StdFileSystem.h"
#include "ui/WebAddress.h"

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

namespace {

// A twentieth of the tick: the wake-ups come along with the machine's others, and the ticks
// still keep to the second on average.
constexpr std::chrono::milliseconds timerSlack{50};

// The browser gets the precise timers a program usually has, not the program's slack.
class DesktopWindowSystem final : public dorvex::QtWindowSystem {
public:
    bool openUrl(const std::string& url) override {
        const dorvex::UsualTimerSlack usual;
        return QtWindowSystem::openUrl(url);
    }
};

} // namespace

int main(int argc, char** argv) {
    using namespace dorvex;
    if (const auto status = answerWithoutRunning(
            argc, argv, std::cout, std::cerr, [] { return queryStatus(std::cout, std::cerr); })) {
        return *status;
    }
    const GraphicalSession session = graphicalSession();
    if (!session.missing.empty()) {
        std::cerr << AppName << " needs a graphical session: " << session.missing << ".\n";
        return 1;
    }
    if (const std::string missing = qt::missingPlatformPlugin(session.qtPlatform);
        !missing.empty()) {
        std::cerr << AppName << " cannot start: " << missing << ".\n";
        return 1;
    }
    const std::string arguments = argumentText(argc, argv);
    // The platform goes to Qt as its "-platform" switch: in QT_QPA_PLATFORM it would reach the
    // programs started from here, the browser among them.
    std::string platformSwitch = "-platform";
    std::string platformName = session.qtPlatform;
    std::vector<char*> qtArguments(argv, argv + argc);
    qtArguments.insert(qtArguments.begin() + 1, {platformSwitch.data(), platformName.data()});
    int qtArgumentCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);

    // Before the first thread starts: they all have it.
    allowTimerSlack(timerSlack);
    // Until the program has started: Qt's look for a tray host waits on the session bus.
    std::optional<UnansweringBusGuard> unansweringBus(std::in_place, std::cerr);
    qt::Application application(qtArgumentCount, qtArguments.data());
    // The title a StatusNotifierItem host shows for the tray icon.
    QApplication::setApplicationName(QString::fromUtf8(AppName));
    DesktopWindowSystem windows;
    QtProcessControl process(windows);
    QtUrlReader urls;
    LocalClock clock;
    StdFileSystem files(std::filesystem::current_path());
    FlockNamedMutexes mutexes;
    LinuxProcessPriority priority;
    LinuxSystemTimes systemTimes;
    const std::unique_ptr<InputDevices> input = chooseInputDevices();
    LogindPowerControl power;
    PosixAccounts accounts;
    UnameOsVersion osVersion;
    QtReadableWatches busWatches;
    DbusWakeInhibitors wakeInhibitors(busWatches);
    LogindSessions otherSessions(busWatches);
    NetworkTransfers transfers;
    PulseSoundStreams sound(busWatches);
    const SignSources signSources{&wakeInhibitors, &sound, &otherSessions, &transfers};
    DbusDesktopNotices notices(AppName, busWatches);
    JournalSystemLog journal;
    BusStatusRequests statusRequests(busWatches);
    Platform platform{clock,       files,   mutexes, process,       priority,  windows,
                      systemTimes, *input,  power,   accounts,      osVersion, urls,
                      signSources, notices, journal, statusRequests};

    Program program(platform);
    useSiteRoot(program.state.SiteRoot, std::getenv("DORVEX_SITE_ROOT"), std::cerr);
    if (!windows.trayAvailable()) {
        std::cerr << AppName
                  << ": this desktop has no notification area; the window stays minimised in "
                     "the task bar instead.\n\n";
    }
    const qt::EndRequests endRequests(application, [&program] { program.endOnRequest(); });
    program.start(arguments);
    unansweringBus.reset();
    if (program.ended()) {
        return program.exitStatus();
    }
    return QApplication::exec();
}
