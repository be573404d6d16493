#include "tests/qt/QtTestSupport.h"

#include "platform/qt/EndRequests.h"

#include <QCoreApplication>
#include <QTest>
#include <QtGlobal>

#include <array>
#include <memory>

// Leaks inside system libraries that Qt loads (font configuration, the session bus); the
// program's own allocations are never listed here.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libdbus-1\n";
}

namespace dorvex::test {

namespace {

// The offscreen platform says what it cannot do (raise, grab the keyboard) at every window; the
// tests do not need to hear it, and the tests of standard error must not.
QtMessageHandler standardHandler = nullptr;

void quietOffscreenPlatform(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
        standardHandler(type, context, message);
    }
}

// One application for all tests, on the offscreen platform: no display, no window manager.
class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        standardHandler = qInstallMessageHandler(quietOffscreenPlatform);
        app_ = std::make_unique<qt::Application>(argc_, argv_.data());
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[9] = "qt_tests";
    std::array<char*, 2> argv_{name_, nullptr};
    std::unique_ptr<qt::Application> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace

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

} // namespace dorvex::test
