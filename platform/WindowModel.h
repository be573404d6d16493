#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace dorvex {

// A colour by system role, or an RGB value.
struct Colour {
    enum class Role { WindowText, ButtonFace, WindowBackground, Rgb };
    Role role = Role::WindowText;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static constexpr Colour windowText() { return {Role::WindowText}; }
    static constexpr Colour buttonFace() { return {Role::ButtonFace}; }
    static constexpr Colour windowBackground() { return {Role::WindowBackground}; }
    static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Role::Rgb, r, g, b};
    }
    friend bool operator==(const Colour&, const Colour&) = default;
};

enum class ControlKind { TextBox, Label, Button, PictureBox, Picture, Timer };
enum class Alignment { Left, Centre, Right };

struct Font {
    std::string face = "Arial";
    double points = 9.75;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// Position and size in twips (1/1440 inch).
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// One control of a window as the program sees it; the window system shows it as it is.
struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    Rect geometry;
    std::string text; // caption of labels and buttons, text of text boxes ("&" marks a mnemonic)
    std::string toolTip;
    bool enabled = true;
    bool visible = true;
    bool locked = false; // a text box the user cannot type into
    bool multiLine = false;
    Colour foreColour = Colour::windowText();
    Colour backColour = Colour::buttonFace();
    bool transparent = false; // a label drawn without its background
    Font font;
    Alignment alignment = Alignment::Left;
    std::string picture;      // name of the image shown by pictures, picture holders and windows
    int intervalMs = 0;       // timers only
    std::uint32_t starts = 0; // timers only: counts every start, so a restart is seen
    // For screen readers: the name it is read by, and the label whose caption stands for it on
    // screen (the name too, unless one is given).
    std::string accessibleName;
    std::string labelledBy;
    bool alert = false;       // a banner whose text a screen reader is told at once when raised
    std::uint32_t raised = 0; // alerts only: counts every raising, so each is told

    // Starting a timer that runs does not restart it; stopping and starting again does.
    void setTimerEnabled(bool on) {
        if (on && !enabled) {
            ++starts;
        }
        enabled = on;
    }
};

struct MenuItem {
    std::string name;
    std::string caption; // "-" is a separator
    bool visible = true;
    bool enabled = true;
};

enum class WindowState { Normal, Minimised, Maximised };

struct WindowModel {
    std::string name;
    std::string caption;
    int clientWidth = 0; // twips
    int clientHeight = 0;
    int left = 0; // twips from the screen's top left
    int top = 0;
    WindowState state = WindowState::Normal;
    bool visible = false;
    bool topmost = false;
    bool minimiseButton = true;
    bool closeCommand = true; // the close command of the window's system menu
    Colour background = Colour::buttonFace();
    std::string icon;
    std::string focus;            // name of the control that has the keyboard focus
    std::deque<Control> controls; // a deque keeps references to its elements stable
    std::deque<MenuItem> menu;    // the popup menu's items in order
    // The controls the Tab key goes through, in order; without it, the order they were added in.
    std::vector<std::string> tabOrder;

    Control& add(Control control) { return controls.emplace_back(std::move(control)); }
    Control* find(std::string_view controlName);
    MenuItem* findMenuItem(std::string_view itemName);
};

inline Control* WindowModel::find(std::string_view controlName) {
    for (auto& control : controls) {
        if (control.name == controlName) {
            return &control;
        }
    }
    return nullptr;
}

inline MenuItem* WindowModel::findMenuItem(std::string_view itemName) {
    for (auto& item : menu) {
        if (item.name == itemName) {
            return &item;
        }
    }
    return nullptr;
}

} // namespace dorvex
