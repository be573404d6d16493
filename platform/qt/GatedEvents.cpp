#include "platform/qt/GatedEvents.h"

namespace dorvex::qt {

void GatedEvents::click(std::string_view control) {
    if (passes()) {
        target_.click(control);
    }
}

void GatedEvents::timer(std::string_view timer) {
    if (passes()) {
        target_.timer(timer);
    }
}

void GatedEvents::menuChosen(std::string_view item) {
    if (passes()) {
        target_.menuChosen(item);
    }
}

void GatedEvents::activated() {
    if (passes()) {
        target_.activated();
    }
}

void GatedEvents::stateChanged() {
    if (passes()) {
        target_.stateChanged();
    }
}

void GatedEvents::closeRequested() {
    if (passes()) {
        target_.closeRequested();
    }
}

void GatedEvents::trayMouse(int code) {
    if (passes()) {
        target_.trayMouse(code);
    }
}

} // namespace dorvex::qt
