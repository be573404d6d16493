#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <array>
#include <memory>

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
        app_ = std::make_unique<QApplication>(argc_, argv_.data());
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[9] = "qt_tests";
    std::array<char*, 2> argv_{name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
