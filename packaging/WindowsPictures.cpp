// Writes the Windows program's pictures, drawn as the Linux build draws them:
// dorvexzede-windows-pictures FOLDER makes FOLDER/<state>.ico (16, 32 and 48 pixels) for the four
// state icons, and logo.bmp and about.bmp (32 bits with premultiplied alpha, for AlphaBlend).
#include "platform/qt/PictureArt.h"

#include <QFile>
#include <QGuiApplication>

#include <array>
#include <cstdint>
#include <iostream>
#include <string>

namespace {

void put16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xff)).append(static_cast<char>(value >> 8));
}

void put32(QByteArray& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xffff));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// A BITMAPINFOHEADER and the pixels, bottom row first, blue-green-red-alpha; an icon's image
// counts its mask in the height and has the (unused, all zero) mask after the pixels.
QByteArray dib(const QImage& picture, bool asIconImage) {
    const QImage image = picture.convertToFormat(asIconImage ? QImage::Format_ARGB32
                                                             : QImage::Format_ARGB32_Premultiplied);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t maskRowBytes = ((width + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, width);
    put32(out, asIconImage ? height * 2 : height);
    put16(out, 1);
    put16(out, 32);
    for (int field = 0; field < 6; ++field) {
        put32(out, 0);
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            put32(out, row[x]);
        }
    }
    if (asIconImage) {
        out.append(QByteArray(static_cast<qsizetype>(maskRowBytes * height), '\0'));
    }
    return out;
}

QByteArray iconFile(std::string_view state) {
    constexpr std::array sizes{16, 32, 48};
    QByteArray directory;
    QByteArray images;
    put16(directory, 0);
    put16(directory, 1);
    put16(directory, sizes.size());
    const std::uint32_t firstImage = 6 + 16 * sizes.size();
    for (const int size : sizes) {
        const QByteArray image = dib(dorvex::qt::drawStateIcon(state, size).toImage(), true);
        directory.append(static_cast<char>(size)).append(static_cast<char>(size));
        put16(directory, 0);
        put16(directory, 1);
        put16(directory, 32);
        put32(directory, static_cast<std::uint32_t>(image.size()));
        put32(directory, firstImage + static_cast<std::uint32_t>(images.size()));
        images += image;
    }
    return directory + images;
}

QByteArray bitmapFile(const QPixmap& picture) {
    const QByteArray pixels = dib(picture.toImage(), false);
    QByteArray out("BM");
    put32(out, static_cast<std::uint32_t>(14 + pixels.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    return out + pixels;
}

bool write(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dorvexzede-windows-pictures FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]) + "/";
    bool written = write(folder + "logo.bmp", bitmapFile(dorvex::qt::drawLogo())) &&
                   write(folder + "about.bmp", bitmapFile(dorvex::qt::drawAboutBackground()));
    for (const char* state : {"activate", "activity", "window", "shutdown"}) {
        written = written && write(folder + state + ".ico", iconFile(state));
    }
    if (!written) {
        std::cerr << "dorvexzede-windows-pictures: cannot write into " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
