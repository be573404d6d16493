#include "platform/linux/InputSourceChoice.h"

#include "platform/linux/AwaitedCompositor.h"
#include "platform/linux/MutterIdleInput.h"
#include "platform/linux/SessionCompositor.h"
#include "platform/linux/X11InputDevices.h"

namespace dorvex {

namespace {

// The compositor's answer at start-up is waited for this long at most; a later one is taken at
// a poll.
constexpr std::chrono::milliseconds firstAnswer{250};

// Keyboard and mouse of a session whose input no source can see.
class UnwatchedInput : public InputSincePoll {
public:
    UnwatchedInput(const std::string& reason, std::ostream& diagnostics)
        : InputSincePoll(diagnostics) {
        cannotWatch(reason);
    }

    std::string sourceName() const override { return "none"; }

protected:
    bool inputSinceLastPoll() override { return false; }
};

// With the compositor's answer in, if there is a compositor; `missing` tells why a Wayland
// session has none.
std::unique_ptr<InputDevices> chooseWith(std::unique_ptr<WaylandIdleInput> wayland,
                                         const std::string& missing, std::ostream& diagnostics) {
    const auto chosen = [&diagnostics](std::unique_ptr<InputDevices> source,
                                       const std::string& name) {
        diagnostics << "Dorvex Zede watches keyboard and mouse through " << name << '\n';
        return source;
    };
    if (wayland && !wayland->protocol().empty()) {
        const std::string name = "the compositor's " + wayland->protocol();
        return chosen(std::move(wayland), name);
    }
    if (auto mutter = std::make_unique<MutterIdleInput>(diagnostics); mutter->answers()) {
        return chosen(std::move(mutter), "org.gnome.Mutter.IdleMonitor");
    }
    if (!missing.empty()) {
        return std::make_unique<UnwatchedInput>(missing, diagnostics);
    }
    auto x11 = std::make_unique<X11InputDevices>(std::string{}, diagnostics);
    if (!x11->notWatchedReason().empty()) {
        return x11;
    }
    return chosen(std::move(x11), "X11");
}

} // namespace

std::unique_ptr<InputDevices> chooseInputDevices(std::ostream& diagnostics) {
    const SessionCompositor compositor = sessionCompositor();
    if (compositor.socket.empty()) {
        return chooseWith(nullptr, compositor.missing, diagnostics);
    }
    auto wayland = std::make_unique<WaylandIdleInput>(compositor.socket, firstAnswer, diagnostics);
    if (wayland->awaitingAnswer()) {
        diagnostics << "Dorvex Zede waits for the Wayland compositor to answer; keyboard and mouse "
                       "count as in use until it does\n";
    }
    return std::make_unique<AwaitedCompositor>(
        std::move(wayland), compositor.socket, compositor.described,
        [&diagnostics](std::unique_ptr<WaylandIdleInput> answered) {
            return chooseWith(std::move(answered), {}, diagnostics);
        },
        diagnostics);
}

} // namespace dorvex
