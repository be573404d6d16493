#include "update/UpdateCommands.h"

#include "app/Program.h"
#include "platform/CivilTime.h"

namespace dorvex {

namespace {

constexpr std::int64_t day = 24 * 3600;

} // namespace

void UpdateCommands::setEnabled(bool enabled) {
    program_.mainWindow.Update.enabled = enabled;
    program_.mainWindow.mPopUpUpdate.enabled = enabled;
}

std::int64_t UpdateCommands::now() const {
    return toSerialSeconds(program_.platform.clock.now());
}

void UpdateCommands::Update_Click() {
    ProgramState& state = program_.state;
    setEnabled(false);
    state.UpdateBusy = true;
    state.UpdateManual = true;
    program_.updateWindow.show();
    // After the window's own load: after a manual check the next automatic one is a day away,
    // also under "-ShortUpdateTime".
    state.UpdateDue = now() + day;
    if (program_.mainWindow.model().state == WindowState::Normal) {
        program_.mainWindow.model().focus = "Park";
    }
}

// No switch, or one of the switches that test the update check.
bool UpdateCommands::automaticChecksAllowed() const {
    const std::int16_t code = program_.state.SwitchCode;
    return code == 0 || code == 5 || code == 7 || code == 8;
}

void UpdateCommands::Check_Update_Time() {
    ProgramState& state = program_.state;
    if (state.UpdateBusy || !automaticChecksAllowed()) {
        return;
    }
    // Reached or passed: a tick that skipped the due second (a modal box, a hibernation) must
    // not silence the daily check for the rest of the run.
    const std::int64_t current = now();
    if (current < state.UpdateDue) {
        return;
    }
    setEnabled(false);
    state.UpdateBusy = true;
    state.UpdateManual = false;
    program_.updateWindow.load();
    state.UpdateDue = current + (state.SwitchCode == 5 ? 7 : day);
}

void UpdateCommands::Disable_Update(bool block) {
    if (block) {
        // Its unload gives the commands back; they are taken again at once.
        program_.updateWindow.unload();
        setEnabled(false);
        program_.state.UpdateBusy = false;
    } else if (!program_.state.UpdateBusy) {
        setEnabled(true);
    }
}

void UpdateCommands::Enable_Update() {
    program_.state.UpdateBusy = false;
    setEnabled(true);
}

} // namespace dorvex
