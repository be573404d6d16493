// Dorvex Zede on a Linux desktop: the program's core on Qt windows and the Linux services.
#include "app/Program.h"
#include "app/Version.h"
#include "desktop/CommandLine.h"
#include "desktop/LinuxDesktopPlatform.h"
#include "desktop/ProgramStart.h"
#include "platform/linux/BusStatusQuery.h"
#include "platform/linux/GraphicalSession.h"
#include "platform/linux/TimerSlack.h"
#include "platform/linux/UnansweringBusGuard.h"
#include "platform/qt/EndRequests.h"
#include "platform/qt/PlatformPlugins.h"

#include <QApplication>

#include <chrono>
#include <iostream>
#include <optional>
#include <vector>

namespace {

// A twentieth of the tick: the wake-ups come along with the machine's others, and the ticks
// still keep to the second on average.
constexpr std::chrono::milliseconds timerSlack{50};

} // namespace

int main(int argc, char** argv) {
    using namespace dorvex;
    if (const auto status = answerWithoutRunning(argc, argv, std::cout, std::cerr,
                                                 [] { return askRunningInstance(); })) {
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
    LinuxDesktopPlatform desktop;
    Platform platform = desktop.platform();
    std::optional<qt::EndRequests> endRequests;
    return runProgram(
        platform, arguments,
        {.beforeStart =
             [&](Program& program) {
                 if (!desktop.windows().trayAvailable()) {
                     std::cerr << AppName
                               << ": this desktop has no notification area; the window stays "
                                  "minimised in the task bar instead.\n\n";
                 }
                 endRequests.emplace(application, [&program] { program.endOnRequest(); });
             },
         .afterStart = [&unansweringBus] { unansweringBus.reset(); },
         .runEventLoop = [] { return QApplication::exec(); }});
}
