#pragma once

#include <QLabel>

#include <functional>

namespace dorvex::qt {

// A label or picture that reports a click of the left button: the program's labels and pictures
// take clicks (the logo and the web address open a page).
class ClickableLabel final : public QLabel {
public:
    ClickableLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void()> onClick_;
};

} // namespace dorvex::qt
