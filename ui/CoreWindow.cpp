#include "ui/CoreWindow.h"

#include "app/Program.h"

#include <stdexcept>

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

void CoreWindow::on(const Control& control, std::function<void()> handler) {
    handlers_[&control] = std::move(handler);
}

void CoreWindow::on(const MenuItem& item, std::function<void()> handler) {
    handlers_[&item] = std::move(handler);
}

const Control& CoreWindow::controlNamed(std::string_view name) {
    const Control* found = model_.find(name);
    if (found == nullptr) {
        throw std::logic_error(model_.name + " has no control " + std::string(name));
    }
    return *found;
}

void CoreWindow::run(const void* controlOrItem) {
    if (const auto handler = handlers_.find(controlOrItem); handler != handlers_.end()) {
        handler->second();
    }
}

void CoreWindow::menuItemChosen(std::string_view item) {
    const MenuItem* chosen = model_.findMenuItem(item);
    if (chosen == nullptr) {
        throw std::logic_error(model_.name + " has no menu item " + std::string(item));
    }
    if (chosen->enabled && chosen->visible) {
        run(chosen);
    }
}

// A control that is disabled or hidden does nothing, however its click arrived.
void CoreWindow::click(std::string_view name) {
    program_.dispatch([&] {
        const Control& clicked = controlNamed(name);
        if (clicked.enabled && clicked.visible) {
            run(&clicked);
        }
    });
}

void CoreWindow::timer(std::string_view name) {
    program_.dispatch([&] { run(&controlNamed(name)); });
}

void CoreWindow::menuChosen(std::string_view item) {
    program_.dispatch([&] { menuItemChosen(item); });
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
