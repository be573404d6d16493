#include "platform/qt/NativeWindow.h"

#include "platform/qt/Conversions.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMoveEvent>
#include <QWindow>

#include <algorithm>

namespace dorvex::qt {

namespace {

WindowState fromQtState(Qt::WindowStates state) {
    if (state.testFlag(Qt::WindowMinimized)) {
        return WindowState::Minimised;
    }
    if (state.testFlag(Qt::WindowMaximized) || state.testFlag(Qt::WindowFullScreen)) {
        return WindowState::Maximised;
    }
    return WindowState::Normal;
}

} // namespace

NativeWindow::NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context)
    : QWidget(nullptr), WindowSync(model, events, context.running), context_(context) {
    setObjectName(toQString(model.name));
    setAutoFillBackground(true);
    bindNewControls();
}

NativeWindow::~NativeWindow() {
    if (context_.lastActive == this) {
        context_.lastActive = nullptr;
    }
    // The widgets go before their bindings, so that no signal reaches a binding that is gone.
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        delete widget;
    }
}

std::unique_ptr<ControlBinding> NativeWindow::bind(Control& control) {
    return bindControl(control, *this, events_, context_);
}

void NativeWindow::updateBinding(ControlBinding& binding, bool windowShown) {
    binding.update(windowShown);
}

void NativeWindow::chainTab(const ControlBinding* previous, const ControlBinding& next) {
    if (previous != nullptr) {
        setTabOrder(previous->widget(), next.widget());
    }
}

void NativeWindow::captions(const ControlBinding& label, const ControlBinding& control) {
    if (auto* const widget = dynamic_cast<QLabel*>(label.widget())) {
        widget->setBuddy(control.widget());
    }
}

void NativeWindow::showFrame(const FrameChanges& changes) {
    if (changedSince(shown_.topmost, model_.topmost) || changes.minimiseButton ||
        changes.closeCommand) {
        applyFlags();
    }
    if (changes.caption) {
        setWindowTitle(toQString(model_.caption));
    }
    if (changes.icon) {
        setWindowIcon(context_.pictures.icon(model_.icon));
    }
    if (changes.size) {
        setFixedSize(context_.scale.pixels(model_.clientWidth),
                     context_.scale.pixels(model_.clientHeight));
    }
    if (changes.position) {
        move(context_.scale.pixels(model_.left), context_.scale.pixels(model_.top));
    }
    if (changes.background) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, resolveColour(model_.background, colours));
        setPalette(colours);
    }
}

void NativeWindow::applyFlags() {
    Qt::WindowFlags flags =
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    flags.setFlag(Qt::WindowMinimizeButtonHint, model_.minimiseButton);
    flags.setFlag(Qt::WindowCloseButtonHint, model_.closeCommand);
    flags.setFlag(Qt::WindowStaysOnTopHint, model_.topmost);
    if (windowHandle() == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // Told to the native window directly: setWindowFlags() would hide a shown window, and
    // showing it again would take the focus from the user's work.
    overrideWindowFlags(flags);
    windowHandle()->setFlags(flags);
}

void NativeWindow::showInState(WindowState state) {
    switch (state) {
    case WindowState::Minimised:
        showMinimized();
        break;
    case WindowState::Maximised:
        showMaximized();
        break;
    case WindowState::Normal:
        showNormal();
        break;
    }
}

void NativeWindow::hideWindow() {
    hide();
}

void NativeWindow::shown(bool wasShownOnTop) {
    if (const ControlBinding* focus = newFocus()) {
        focus->widget()->setFocus(Qt::OtherFocusReason);
    }
    if (model_.visible && model_.topmost && !wasShownOnTop) {
        askToComeForward();
        context_.modalGate.shownOnTop(*this);
    }
}

// Wayland lets no program keep a window above the others: the window asks the compositor to
// raise and activate it instead, which it grants or shows as a request for attention. Not over an
// open box, which stays above.
void NativeWindow::askToComeForward() {
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland")) &&
        !context_.modalGate.anyOpen()) {
        raise();
        activateWindow();
    }
}

void NativeWindow::focusMoved(const QWidget* to) {
    const auto binding =
        std::ranges::find_if(bindings_, [&](const auto& b) { return b->widget() == to; });
    if (binding != bindings_.end()) {
        focusTaken(**binding);
    }
}

void NativeWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (!attached()) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        stateShown(fromQtState(windowState()));
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
               context_.lastActive != this) {
        context_.lastActive = this;
        // Activation can come while update() shows the window; the handler runs after it.
        QMetaObject::invokeMethod(
            this, [this] { events_.activated(); }, Qt::QueuedConnection);
    }
}

void NativeWindow::closeEvent(QCloseEvent* event) {
    // The program decides, and unloads the window itself; without the close command, nothing.
    event->ignore();
    if (model_.closeCommand) {
        events_.closeRequested();
    }
}

void NativeWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (attached() && event->spontaneous()) {
        movedTo(pos().x(), pos().y(), context_.scale);
    }
}

void NativeWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (context_.lastActive == this) {
        context_.lastActive = nullptr;
    }
}

} // namespace dorvex::qt
