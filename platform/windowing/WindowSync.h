#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/windowing/Changed.h"
#include "platform/windowing/GatedEvents.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace dorvex {

// Keeps one native window in line with its window model, the same way on every window system:
// what changed since the last update is set, and what the user changes goes back into the model.
// A window system supplies the native steps as the hooks below. Binding is its control binding:
// one for each control of the model, in the model's order; a timer's has no native control.
template <typename Binding> class WindowSync {
public:
    WindowSync(const WindowSync&) = delete;
    WindowSync& operator=(const WindowSync&) = delete;

    WindowModel& model() const { return model_; }
    WindowEvents& events() { return events_; }

    // Sets what changed in the model since the last call; a hidden window only runs its timers.
    void update() {
        if (model_.controls.size() != bindings_.size()) {
            bindNewControls();
        }
        // A window that stays hidden runs only its timers; its frame and controls catch up when
        // it shows, so that a tick in the tray touches none of them.
        if (!nothingSetYet_ && !model_.visible && !shown_.visible) {
            for (Binding* timer : timers_) {
                updateBinding(*timer, false);
            }
            return;
        }
        const bool wasShownOnTop = shown_.visible && shown_.topmost && !nothingSetYet_;
        updateFrame();
        for (const auto& binding : bindings_) {
            updateBinding(*binding, model_.visible);
        }
        // A hidden window gets no state: a window minimised while hidden would later show
        // minimised, out of sight.
        const bool stateChanged = changedSince(shown_.state, model_.state);
        const bool visibleChanged = changedSince(shown_.visible, model_.visible);
        if (model_.visible && (stateChanged || visibleChanged)) {
            showInState(model_.state);
        } else if (visibleChanged) {
            hideWindow();
        }
        shown(wasShownOnTop);
        nothingSetYet_ = false;
    }

    // The model is unloaded: no further event reaches the program, and the window hides.
    void detach() {
        attached_ = false;
        events_.close();
        for (const auto& binding : bindings_) {
            binding->stop();
        }
        hideWindow();
    }

protected:
    WindowSync(WindowModel& model, WindowEvents& events, const bool& programRunning)
        : model_(model), events_(events, programRunning) {}
    virtual ~WindowSync() = default;

    // Controls added to a loaded model get their native ones too; a deque keeps the older in
    // place.
    void bindNewControls() {
        for (auto control = model_.controls.begin() + static_cast<std::ptrdiff_t>(bindings_.size());
             control != model_.controls.end(); ++control) {
            bindings_.push_back(bind(*control));
            if (control->kind == ControlKind::Timer) {
                timers_.push_back(bindings_.back().get());
            }
        }
        const Binding* previous = nullptr;
        for (const std::string& name : model_.tabOrder) {
            if (const Binding* next = bindingNamed(name)) {
                chainTab(previous, *next);
                previous = next;
            }
        }
        // A label captions the first control that names it.
        std::vector<const Binding*> captioning;
        for (std::size_t index = 0; index < bindings_.size(); ++index) {
            const Binding* label = bindingNamed(model_.controls[index].labelledBy);
            if (label != nullptr && std::ranges::find(captioning, label) == captioning.end()) {
                captions(*label, *bindings_[index]);
                captioning.push_back(label);
            }
        }
    }

    // The window's own properties that changed since they were last set.
    struct FrameChanges {
        bool minimiseButton;
        bool closeCommand;
        bool caption;
        bool icon;
        bool size;
        bool position;
        bool background;
    };
    void updateFrame() {
        const bool widthChanged = changedSince(shown_.clientWidth, model_.clientWidth);
        const bool leftChanged = changedSince(shown_.left, model_.left);
        showFrame({
            .minimiseButton = changedSince(shown_.minimiseButton, model_.minimiseButton),
            .closeCommand = changedSince(shown_.closeCommand, model_.closeCommand),
            .caption = changedSince(shown_.caption, model_.caption),
            .icon = changedSince(shown_.icon, model_.icon),
            .size = changedSince(shown_.clientHeight, model_.clientHeight) || widthChanged,
            .position = changedSince(shown_.top, model_.top) || leftChanged,
            .background = changedSince(shown_.background, model_.background),
        });
    }

    // The control the keyboard focus goes to, once the model moved it there; none while hidden.
    const Binding* newFocus() {
        if (!model_.visible || !changedSince(shown_.focus, model_.focus)) {
            return nullptr;
        }
        return bindingNamed(model_.focus);
    }

    // The user moved the focus to a control.
    void focusTaken(const Binding& control) { model_.focus = shown_.focus = control.name(); }

    // The user or the window manager changed the window's state.
    void stateShown(WindowState now) {
        if (now != shown_.state) {
            shown_.state = model_.state = now;
            events_.stateChanged();
        }
    }

    // Where the user or the window manager put the window, in pixels, so that placing it again
    // moves it.
    template <typename Scale> void movedTo(int x, int y, const Scale& scale) {
        if (x != scale.pixels(shown_.left)) {
            shown_.left = model_.left = scale.twips(x);
        }
        if (y != scale.pixels(shown_.top)) {
            shown_.top = model_.top = scale.twips(y);
        }
    }

    // The binding of a control with a native counterpart (no timer).
    Binding* bindingNamed(std::string_view name) const {
        for (std::size_t index = 0; index < bindings_.size(); ++index) {
            const Control& control = model_.controls[index];
            if (control.name == name && control.kind != ControlKind::Timer) {
                return bindings_[index].get();
            }
        }
        return nullptr;
    }

    bool changedSince(auto& shown, const auto& now) { return changed(shown, now, nothingSetYet_); }
    bool attached() const { return attached_; }

    WindowModel& model_;
    GatedEvents events_;
    std::vector<std::unique_ptr<Binding>> bindings_; // one for each of the model's controls
    WindowModel shown_; // the window's own properties as last set; its lists stay empty

private:
    virtual std::unique_ptr<Binding> bind(Control& control) = 0;
    virtual void updateBinding(Binding& binding, bool windowShown) = 0;
    // The Tab key goes from previous (none: the first) to next.
    virtual void chainTab(const Binding* previous, const Binding& next) = 0;
    // For screen readers: the label stands for the control.
    virtual void captions(const Binding& label, const Binding& control) = 0;
    virtual void showFrame(const FrameChanges& changes) = 0;
    virtual void showInState(WindowState state) = 0;
    virtual void hideWindow() = 0;
    // After the window shows or hides: whether it stays above the others, and the focus.
    virtual void shown(bool wasShownOnTop) = 0;

    std::vector<Binding*> timers_; // those of bindings_ that are timers
    bool nothingSetYet_ = true;
    bool attached_ = true;
};

} // namespace dorvex
