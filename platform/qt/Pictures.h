#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>
#include <map>
#include <string>

namespace dorvex::qt {

// The program's pictures by the names the window models use, drawn once on first use.
class Pictures {
public:
    // The picture at its own size; a state icon at 32 pixels. Null for an unknown name.
    const QPixmap& pixmap(const std::string& name);
    // A state icon with images of 16, 32 and 48 pixels, or any other picture as an icon. Null
    // for an unknown name.
    const QIcon& icon(const std::string& name);

private:
    std::map<std::string, QPixmap, std::less<>> pixmaps_;
    std::map<std::string, QIcon, std::less<>> icons_;
};

} // namespace dorvex::qt
