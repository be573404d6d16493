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
    : QWidget(nullptr), model_(model), events_(events, context.running), context_(context) {
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

void NativeWindow::bindNewControls() {
    // Controls added to a loaded model get their widgets too; a deque keeps the older in place.
    for (auto control = model_.controls.begin() + static_cast<std::ptrdiff_t>(bindings_.size());
         control != model_.controls.end(); ++control) {
        bindings_.push_back(bindControl(*control, *this, events_, context_));
        if (bindings_.back()->widget() == nullptr) {
            timers_.push_back(bindings_.back().get());
        }
    }
    applyTabOrder();
    applyCaptions();
}

QWidget* NativeWindow::widgetOf(std::string_view controlName) const {
    const auto binding = std::ranges::find_if(
        bindings_, [&](const auto& b) { return b->name() == controlName && b->widget(); });
    return binding != bindings_.end() ? (*binding)->widget() : nullptr;
}

void NativeWindow::applyTabOrder() {
    QWidget* previous = nullptr;
    for (const std::string& name : model_.tabOrder) {
        QWidget* const next = widgetOf(name);
        if (previous != nullptr && next != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next != nullptr ? next : previous;
    }
}

void NativeWindow::applyCaptions() {
    // A label names one control for Qt: the first it captions.
    for (const Control& control : model_.controls) {
        auto* const label = dynamic_cast<QLabel*>(widgetOf(control.labelledBy));
        if (label != nullptr && label->buddy() == nullptr) {
            label->setBuddy(widgetOf(control.name));
        }
    }
}

void NativeWindow::update() {
    if (model_.controls.size() != bindings_.size()) {
        bindNewControls();
    }
    // A window that stays hidden runs only its timers; its frame and widgets catch up when it
    // shows, so that a tick in the tray touches none of them.
    if (!nothingSetYet_ && !model_.visible && !shown_.visible) {
        for (ControlBinding* timer : timers_) {
            timer->update(false);
        }
        return;
    }
    const bool wasShownOnTop = shown_.visible && shown_.topmost && !nothingSetYet_;
    updateWindow();
    for (const auto& binding : bindings_) {
        binding->update(model_.visible);
    }
    // A hidden window gets no state: a window minimised while hidden would later be mapped
    // iconified, and the window manager would keep it out of sight.
    const bool stateChanged = changedSince(shown_.state, model_.state);
    const bool visibleChanged = changedSince(shown_.visible, model_.visible);
    if (model_.visible && (stateChanged || visibleChanged)) {
        showInState(model_.state);
    } else if (visibleChanged) {
        hide();
    }
    if (model_.visible) {
        applyFocus();
    }
    if (model_.visible && model_.topmost && !wasShownOnTop) {
        askToComeForward();
        context_.modalGate.shownOnTop(*this);
    }
    nothingSetYet_ = false;
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

void NativeWindow::updateWindow() {
    const bool topmostChanged = changedSince(shown_.topmost, model_.topmost);
    const bool minimiseChanged = changedSince(shown_.minimiseButton, model_.minimiseButton);
    if (changedSince(shown_.closeCommand, model_.closeCommand) || topmostChanged ||
        minimiseChanged) {
        applyFlags();
    }
    if (changedSince(shown_.caption, model_.caption)) {
        setWindowTitle(toQString(model_.caption));
    }
    if (changedSince(shown_.icon, model_.icon)) {
        setWindowIcon(context_.pictures.icon(model_.icon));
    }
    const bool widthChanged = changedSince(shown_.clientWidth, model_.clientWidth);
    if (changedSince(shown_.clientHeight, model_.clientHeight) || widthChanged) {
        setFixedSize(context_.scale.pixels(model_.clientWidth),
                     context_.scale.pixels(model_.clientHeight));
    }
    const bool leftChanged = changedSince(shown_.left, model_.left);
    if (changedSince(shown_.top, model_.top) || leftChanged) {
        move(context_.scale.pixels(model_.left), context_.scale.pixels(model_.top));
    }
    if (changedSince(shown_.background, model_.background)) {
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

void NativeWindow::applyFocus() {
    if (!changedSince(shown_.focus, model_.focus)) {
        return;
    }
    if (QWidget* const widget = widgetOf(model_.focus)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void NativeWindow::focusMoved(const QWidget* to) {
    const auto binding =
        std::ranges::find_if(bindings_, [&](const auto& b) { return b->widget() == to; });
    if (binding != bindings_.end()) {
        model_.focus = (*binding)->name();
        shown_.focus = model_.focus;
    }
}

void NativeWindow::detach() {
    attached_ = false;
    events_.close();
    for (const auto& binding : bindings_) {
        binding->stop();
    }
    hide();
}

void NativeWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (!attached_) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        const WindowState now = fromQtState(windowState());
        if (now != shown_.state) {
            shown_.state = now;
            model_.state = now;
            events_.stateChanged();
        }
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
    if (!attached_) {
        return;
    }
    // Where the user or the window manager put the window, so that placing it again moves it.
    if (event->spontaneous() && pos().x() != context_.scale.pixels(shown_.left)) {
        shown_.left = model_.left = context_.scale.twips(pos().x());
    }
    if (event->spontaneous() && pos().y() != context_.scale.pixels(shown_.top)) {
        shown_.top = model_.top = context_.scale.twips(pos().y());
    }
}

void NativeWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (context_.lastActive == this) {
        context_.lastActive = nullptr;
    }
}

} // namespace dorvex::qt
