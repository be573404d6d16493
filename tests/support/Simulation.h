#pragma once

#include "app/Program.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dorvex::test {

using Strings = std::vector<std::string>;

// The lines of a text, each ended by CR LF (the last one may lack it).
Strings crLfLines(const std::string& text);
// The shipped settings, in the file's own format.
std::string defaultConfig();
// A configuration file with these values, in the file's own format.
std::string configWith(const std::string& cpuOn, const std::string& kmOn, const std::string& stopOn,
                       const std::string& stopTime, const std::string& shutType);

struct SimulationOptions {
    std::string arguments;                               // the command line's argument text
    std::optional<std::string> config = defaultConfig(); // nothing: no configuration file
    bool dataFolder = true;
    bool logFolder = true;
    LocalDateTime start{2026, 12, 7, 10, 0, 0};
    bool administrator = true;
    bool trayHost = true; // false: a desktop without a notification area
    // Another simulation's folder to run in, as is; nothing is laid out then.
    const std::filesystem::path* folder = nullptr;
    // Another simulation's logon session, so that the two see each other's mutexes.
    FakeMutexRegistry* session = nullptr;
    // A real URL reader in place of the fake one.
    UrlReader* urls = nullptr;
};

// A whole program on the fake platform, in a temporary folder of its own: built and started by
// the constructor, then driven by the test through the clock.
class Simulation {
public:
    explicit Simulation(SimulationOptions options = {});

    Program& program() { return *program_; }
    FakePlatform& fake() { return *fake_; }
    const FakePlatform& fake() const { return *fake_; }
    FakeMutexRegistry& session() { return *session_; }
    const std::filesystem::path& folder() const { return *folderPath_; }

    // Lets simulated time pass; the program's timers fire on the way.
    void advanceSeconds(int seconds) { fake_->windows.runFor(seconds * 1000LL); }

    // Clicks a control of a window, or picks an item of the tray's popup menu.
    void click(std::string_view control, std::string_view window = "DorvexLMain");
    void chooseFromTray(std::string_view item);
    void doubleClickTray();

    // The event and state columns of the log's event lines, trimmed, as "Event/State".
    Strings logEvents() const;
    Strings lastEvents(std::size_t count) const {
        const Strings events = logEvents();
        return {events.end() - static_cast<std::ptrdiff_t>(std::min(count, events.size())),
                events.end()};
    }
    // The kinds of the last entries the system's log got.
    std::vector<LogEventKind> lastSentKinds(std::size_t count) const;
    std::string logText() const;
    Strings logLines() const { return crLfLines(logText()); }
    const std::vector<ShownMessage>& messages() const { return fake_->windows.messages(); }
    bool ended() const { return fake_->process.exitStatus.has_value(); }
    int exitStatus() const { return fake_->process.exitStatus.value_or(-1); }
    WindowModel& mainWindow() { return program_->mainWindow.model(); }
    DorvexLMain& main() { return program_->mainWindow; }
    RunState& run() { return program_->state.run; }

private:
    std::unique_ptr<TempFolder> ownFolder_;
    const std::filesystem::path* folderPath_;
    std::unique_ptr<FakeMutexRegistry> ownSession_;
    FakeMutexRegistry* session_;
    std::unique_ptr<FakePlatform> fake_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Program> program_;
};

// Runs the scenario in a child process as an unprivileged user, for tests of permission
// problems that an administrator's process would not meet. Returns true when the child said so.
#define DORVEX_EXPECT_AS_UNPRIVILEGED_USER(body)                                                   \
    EXPECT_EXIT(                                                                                   \
        {                                                                                          \
            ::dorvex::test::dropPrivileges();                                                      \
            std::exit((body) ? 0 : 1);                                                             \
        },                                                                                         \
        ::testing::ExitedWithCode(0), "")

// Becomes the unprivileged user "nobody" when running as root.
void dropPrivileges();

} // namespace dorvex::test
