#include "platform/qt/ModalGate.h"

#include "platform/qt/NativeWindow.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>

namespace dorvex::qt {

namespace {

// What the user does to a window; a close that the program asks for itself is not among it.
bool isUserInput(const QEvent& event) {
    return event.isInputEvent() || event.type() == QEvent::Shortcut ||
           (event.type() == QEvent::Close && event.spontaneous());
}

} // namespace

void ModalGate::open(QWidget& box) {
    if (boxes_.empty()) {
        qApp->installEventFilter(this);
    }
    boxes_.push_back({&box, {}});
}

void ModalGate::close(QWidget& box) {
    std::erase_if(boxes_, [&](const OpenBox& open) { return open.box == &box; });
    if (boxes_.empty()) {
        qApp->removeEventFilter(this);
    }
}

void ModalGate::shownOnTop(QWidget& window) {
    if (boxes_.empty()) {
        return;
    }
    if (!listedOnTop(window)) {
        boxes_.back().onTop.emplace_back(&window);
    }
    raiseBoxes();
}

bool ModalGate::blocks(const QWidget& window) const {
    if (boxes_.empty() || reachable(window)) {
        return false;
    }
    // Menus, tool tips and the tray's own widget are no windows of the program's.
    return dynamic_cast<const NativeWindow*>(&window) != nullptr ||
           std::ranges::any_of(boxes_, [&](const OpenBox& open) { return open.box == &window; });
}

bool ModalGate::reachable(const QWidget& window) const {
    return &window == boxes_.back().box ||
           (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && listedOnTop(window));
}

bool ModalGate::listedOnTop(const QWidget& window) const {
    return std::ranges::any_of(boxes_.back().onTop, [&](const QPointer<QWidget>& listed) {
        return listed.data() == &window;
    });
}

void ModalGate::raiseBoxes() {
    for (const OpenBox& open : boxes_) {
        open.box->raise();
    }
}

bool ModalGate::eventFilter(QObject* receiver, QEvent* event) {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (widget == nullptr || boxes_.empty()) {
        return false;
    }
    const QWidget& window = *widget->window();
    // The window manager raises a window the user clicks or that the program brings forward.
    if (event->type() == QEvent::WindowActivate && &window == widget && reachable(window) &&
        &window != boxes_.back().box) {
        raiseBoxes();
    }
    if (!isUserInput(*event) || !blocks(window)) {
        return false;
    }
    // An ignored close keeps the window; an accepted one would hide it.
    event->ignore();
    return true;
}

} // namespace dorvex::qt
