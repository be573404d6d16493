#include "update/UpdateCommands.h"

#include "app/Program.h"

namespace dorvex {

void UpdateCommands::setEnabled(bool enabled) {
    program_.mainWindow.Update.enabled = enabled;
    program_.mainWindow.mPopUpUpdate.enabled = enabled;
}

void UpdateCommands::Disable_Update(bool block) {
    if (block) {
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
