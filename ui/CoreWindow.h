#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"

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
    virtual void onClick(std::string_view /*control*/) {}
    virtual void onTimer(std::string_view /*timer*/) {}
    virtual void onMenu(std::string_view /*item*/) {}
    virtual void onTrayMouse(int /*code*/) {}

    // A control that is disabled or hidden does nothing, however its click arrived.
    bool usable(std::string_view control);

    Program& program_;
    WindowModel model_;

private:
    bool loaded_ = false;
};

} // namespace dorvex
