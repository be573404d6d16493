#include "platform/qt/Accessibility.h"

#include "platform/qt/NativeWindow.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QTimer>

namespace dorvex::qt {

namespace {

constexpr const char* alertProperty = "dorvexAlert";

class BannerInterface final : public QAccessibleWidget {
public:
    explicit BannerInterface(QLabel& banner)
        : QAccessibleWidget(&banner, QAccessible::Notification), banner_(banner) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? banner_.text() : QAccessibleWidget::text(kind);
    }

private:
    QLabel& banner_;
};

QAccessibleInterface* programRoles(const QString& /*className*/, QObject* object) {
    if (auto* const window = dynamic_cast<NativeWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Dialog);
    }
    auto* const label = qobject_cast<QLabel*>(object);
    if (label != nullptr && label->property(alertProperty).toBool()) {
        return new BannerInterface(*label);
    }
    return nullptr;
}

} // namespace

void installAccessibleRoles() {
    QAccessible::installFactory(&programRoles);
}

void markAsAlert(QLabel& banner) {
    banner.setProperty(alertProperty, true);
}

void announce(QLabel& banner) {
    // Qt's AT-SPI bridge drops its Alert event: a notification that shows is what screen readers
    // speak at once.
    QTimer::singleShot(0, &banner, [&banner] {
        QAccessibleEvent shown(&banner, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    });
}

} // namespace dorvex::qt
