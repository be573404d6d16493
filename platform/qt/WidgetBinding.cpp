#include "platform/qt/WidgetBinding.h"

#include <QApplication>
#include <QPalette>

namespace dorvex::qt {

void WidgetBinding::update(bool windowShown) {
    if (!windowShown) {
        return;
    }
    if (changed(shown_.geometry, model_.geometry)) {
        place(context_.scale.rect(model_.geometry));
    }
    if (changed(shown_.toolTip, model_.toolTip)) {
        target_.setToolTip(plainText(model_.toolTip));
    }
    if (changed(shown_.accessibleName, model_.accessibleName)) {
        target_.setAccessibleName(toQString(model_.accessibleName));
    }
    if (changed(shown_.enabled, model_.enabled)) {
        target_.setEnabled(model_.enabled);
    }
    if (changed(shown_.font, model_.font)) {
        target_.setFont(toQFont(model_.font));
    }
    const bool foreChanged = changed(shown_.foreColour, model_.foreColour);
    if (changed(shown_.backColour, model_.backColour) || foreChanged) {
        applyColours();
    }
    updateOwn();
    if (changed(shown_.visible, model_.visible)) {
        target_.setVisible(model_.visible);
    }
    nothingSetYet_ = false;
}

void WidgetBinding::applyColours() {
    // Roles follow the application's palette; a disabled control keeps its greyed text.
    const QPalette roles = QApplication::palette();
    const QColor fore = resolveColour(model_.foreColour, roles);
    const QColor back = resolveColour(model_.backColour, roles);
    QPalette palette = target_.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(group, role, fore);
        }
    }
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, back);
    }
    target_.setPalette(palette);
}

} // namespace dorvex::qt
