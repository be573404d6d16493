#include "ui/Controls.h"

namespace dorvex {

namespace {

Control control(std::string name, ControlKind kind, Rect geometry = {}) {
    Control c;
    c.name = std::move(name);
    c.kind = kind;
    c.geometry = geometry;
    return c;
}

} // namespace

Control button(std::string name, std::string caption, std::string toolTip, Rect geometry,
               bool enabled) {
    Control c = control(std::move(name), ControlKind::Button, geometry);
    c.text = std::move(caption);
    c.toolTip = std::move(toolTip);
    c.enabled = enabled;
    return c;
}

Control label(std::string name, std::string caption, Rect geometry, Alignment alignment) {
    Control c = control(std::move(name), ControlKind::Label, geometry);
    c.text = std::move(caption);
    c.alignment = alignment;
    return c;
}

Control valueBox(std::string name, Rect geometry, Alignment alignment) {
    Control c = control(std::move(name), ControlKind::TextBox, geometry);
    c.locked = true;
    c.backColour = Colour::windowBackground();
    c.alignment = alignment;
    return c;
}

Control focusSink(Rect geometry, std::string accessibleName) {
    Control c = control("Park", ControlKind::TextBox, geometry);
    c.accessibleName = std::move(accessibleName);
    c.foreColour = Colour::buttonFace();
    c.backColour = Colour::buttonFace();
    return c;
}

Control picture(std::string name, ControlKind kind, std::string image, Rect geometry,
                bool visible) {
    Control c = control(std::move(name), kind, geometry);
    c.picture = std::move(image);
    c.visible = visible;
    return c;
}

Control timerControl(std::string name, int intervalMs, bool enabled) {
    Control c = control(std::move(name), ControlKind::Timer);
    c.intervalMs = intervalMs;
    c.visible = false;
    c.enabled = false;
    c.setTimerEnabled(enabled);
    return c;
}

MenuItem menuItem(std::string name, std::string caption, bool visible, bool enabled) {
    return {std::move(name), std::move(caption), visible, enabled};
}

} // namespace dorvex
