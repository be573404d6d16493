#include "tests/support/Simulation.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdlib>

namespace {

using namespace dorvex;
using test::Simulation;

// Window and control, as "window/control".
constexpr std::array<std::string_view, 14> buttons{
    "DorvexLMain/Reset",  "DorvexLMain/TestS",  "DorvexLMain/Update", "DorvexLMain/About",
    "DorvexLMain/Exit",   "DorvexLMain/Logo",   "frmUpdater/Contact", "frmUpdater/Download",
    "frmUpdater/History", "frmUpdater/KIssues", "frmUpdater/WebSite", "frmUpdater/Exit",
    "frmAbout/ExitAbout", "frmAbout/WebSite"};
constexpr std::array<std::string_view, 8> trayItems{"mPopUpAbout",   "mPopUpReset", "mPopUpCancel",
                                                    "mPopUpRestore", "mPopUpMin",   "mPopUpTest",
                                                    "mPopUpUpdate",  "mPopUpExit"};
constexpr std::array<std::string_view, 6> switches{"",
                                                   "-InhibitShutdown",
                                                   "-StartShutdown",
                                                   "-ShortUpdateTime",
                                                   "-IncreaseCPULevel",
                                                   "-HigherVersion"};

// Clicks a control only where a user could: a shown window, an enabled and visible control.
void clickAsUser(Simulation& sim, std::string_view button) {
    const std::string_view name = button.substr(0, button.find('/'));
    const std::string_view controlName = button.substr(button.find('/') + 1);
    WindowModel* window = sim.fake().windows.window(name);
    const Control* control = window != nullptr ? window->find(controlName) : nullptr;
    if (window != nullptr && window->visible && window->state != WindowState::Minimised &&
        control != nullptr && control->enabled && control->visible) {
        sim.click(controlName, name);
    }
}

// Nothing may end in an unexpected error, and every log entry is a whole line.
void check(const Simulation& sim) {
    for (const ShownMessage& message : sim.messages()) {
        if (message.text.starts_with("Run-time error")) {
            std::abort();
        }
    }
    const std::string log = sim.logText();
    if (!log.empty() && !log.ends_with("\r\n")) {
        std::abort();
    }
}

} // namespace

// The whole program on the fake platform: a switch, a configuration file, an update reply, then
// clicks, tray choices, typing, activity, answers and time passing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string_view arguments = input.PickValueInArray(switches);
    const std::string config = input.ConsumeRandomLengthString(400);
    const std::string reply = input.ConsumeRandomLengthString(400);
    Simulation sim({.arguments = std::string(arguments), .config = config});
    for (int step = 0; step < 64 && input.remaining_bytes() > 0 && !sim.ended(); ++step) {
        switch (input.ConsumeIntegralInRange(0, 7)) {
        case 0:
            sim.advanceSeconds(input.ConsumeIntegralInRange(1, 90));
            break;
        case 1:
            clickAsUser(sim, input.PickValueInArray(buttons));
            break;
        case 2:
            sim.chooseFromTray(input.PickValueInArray(trayItems));
            sim.fake().windows.menuChoices.clear(); // not left for a later menu
            break;
        case 3:
            sim.doubleClickTray();
            break;
        case 4:
            sim.fake().urls.complete(reply);
            break;
        case 5:
            sim.fake().urls.fail(input.ConsumeIntegral<std::int32_t>(), reply);
            break;
        case 6:
            sim.main().StopTimeT.text = input.ConsumeRandomLengthString(8);
            break;
        default:
            sim.fake().systemTimes.setLoad(input.ConsumeIntegralInRange(0, 100));
            sim.fake().input.tap(1);
        }
        check(sim);
    }
    return 0;
}
