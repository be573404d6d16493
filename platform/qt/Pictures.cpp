#include "platform/qt/Pictures.h"

#include "platform/qt/PictureArt.h"

namespace dorvex::qt {

namespace {

constexpr int iconSizes[] = {16, 32, 48};
constexpr int pictureIconSize = 32;

QPixmap draw(const std::string& name) {
    if (name == "logo") {
        return drawLogo();
    }
    if (name == "about") {
        return drawAboutBackground();
    }
    return drawStateIcon(name, pictureIconSize);
}

} // namespace

const QPixmap& Pictures::pixmap(const std::string& name) {
    auto found = pixmaps_.find(name);
    if (found == pixmaps_.end()) {
        found = pixmaps_.emplace(name, draw(name)).first;
    }
    return found->second;
}

const QIcon& Pictures::icon(const std::string& name) {
    auto found = icons_.find(name);
    if (found != icons_.end()) {
        return found->second;
    }
    QIcon icon;
    for (const int size : iconSizes) {
        const QPixmap image = drawStateIcon(name, size);
        if (!image.isNull()) {
            icon.addPixmap(image);
        }
    }
    if (icon.isNull() && !pixmap(name).isNull()) {
        icon.addPixmap(pixmap(name));
    }
    return icons_.emplace(name, std::move(icon)).first->second;
}

} // namespace dorvex::qt
