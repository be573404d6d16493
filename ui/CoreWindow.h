#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace dorvex {

class Program;

// A window of the program: the model of its controls and its event handlers. Events from the
// window system run as events of the program; the handlers change the model.
class CoreWindow : public WindowEvents {
public:
    CoreWindow(Program& program, std::string name);

    WindowModel& model() { return model_; }
    bool loaded() const { return loaded_; }

    // Runs Form_Load and creates the native window, unless the window is loaded.
    void load();
    // Loads the window if needed, makes it visible and activates it.
    void show();
    void hide() { model_.visible = false; }
    // Runs Form_Unload and removes the native window, if the window is loaded.
    void unload();
    // Runs the handler of a popup-menu item, unless the item is disabled or hidden.
    void menuItemChosen(std::string_view item);

    void click(std::string_view control) final;
    void timer(std::string_view timer) final;
    void menuChosen(std::string_view item) final;
    void activated() final;
    void stateChanged() final;
    void closeRequested() final;
    void trayMouse(int code) final;

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}
    // The user's close command; unloads the window unless a handler says otherwise.
    virtual void Form_QueryClose() { unload(); }
    virtual void onTrayMouse(int /*code*/) {}

    // What a click on the control, a tick of the timer or the choice of the item runs. A handler
    // is tied to the control itself, never to a name that could be mistyped; an event for a name
    // that the window does not have is a programming error and ends in a run-time error.
    void on(const Control& control, std::function<void()> handler);
    void on(const MenuItem& item, std::function<void()> handler);

    Program& program_;
    WindowModel model_;

private:
    // The control an event names; throws std::logic_error when the window has none of that name.
    const Control& controlNamed(std::string_view name);
    void run(const void* controlOrItem);

    std::map<const void*, std::function<void()>> handlers_; // by the control's or item's address
    bool loaded_ = false;
};

} // namespace dorvex
