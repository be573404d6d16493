#include "tests/qt/QtTestSupport.h"

#include <QCoreApplication>
#include <QTest>

namespace dorvex::test {

void EventRecord::record(std::string event) {
    events.push_back(event);
    if (react) {
        react(event);
    }
}

QWidget* topLevel(const std::string& windowName) {
    const QString name = QString::fromStdString(windowName);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name) {
            return widget;
        }
    }
    return nullptr;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Control makeControl(std::string name, ControlKind kind, Rect geometry) {
    Control control;
    control.name = std::move(name);
    control.kind = kind;
    control.geometry = geometry;
    // Timers start stopped, as the program declares them.
    control.enabled = kind != ControlKind::Timer;
    return control;
}

WindowModel makeWindow() {
    WindowModel window;
    window.name = "w";
    window.caption = "Test window";
    window.clientWidth = 9000;
    window.clientHeight = 4500;
    window.visible = true;
    return window;
}

} // namespace dorvex::test
