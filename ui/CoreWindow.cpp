#include "ui/CoreWindow.h"

#include "app/Program.h"

namespace dorvex {

CoreWindow::CoreWindow(Program& program, std::string name) : program_(program) {
    model_.name = std::move(name);
}

void CoreWindow::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    Form_Load();
    program_.platform.windows.load(model_, *this);
}

void CoreWindow::show() {
    load();
    model_.visible = true;
    Form_Activate();
}

void CoreWindow::unload() {
    if (!loaded_) {
        return;
    }
    Form_Unload();
    loaded_ = false;
    model_.visible = false;
    program_.platform.windows.unload(model_);
}

bool CoreWindow::usable(std::string_view control) {
    const Control* found = model_.find(control);
    return found != nullptr && found->enabled && found->visible;
}

void CoreWindow::click(std::string_view control) {
    program_.dispatch([&] { onClick(control); });
}

void CoreWindow::timer(std::string_view timer) {
    program_.dispatch([&] { onTimer(timer); });
}

void CoreWindow::menuChosen(std::string_view item) {
    program_.dispatch([&] { onMenu(item); });
}

void CoreWindow::activated() {
    program_.dispatch([&] { Form_Activate(); });
}

void CoreWindow::stateChanged() {
    program_.dispatch([&] { Form_Resize(); });
}

void CoreWindow::closeRequested() {
    program_.dispatch([&] { Form_QueryClose(); });
}

void CoreWindow::trayMouse(int code) {
    program_.dispatch([&] { onTrayMouse(code); });
}

} // namespace dorvex
