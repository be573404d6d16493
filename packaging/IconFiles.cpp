// Writes the program's icon at the usual sizes, drawn as the tray draws it:
// dorvexzede-icons FOLDER makes FOLDER/<size>/dorvexzede.png.
#include "platform/qt/PictureArt.h"

#include <QDir>
#include <QGuiApplication>

#include <array>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dorvexzede-icons FOLDER\n";
        return 2;
    }
    // No display is needed to draw.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    constexpr std::array sizes{16, 22, 24, 32, 48, 64, 128, 256};
    for (const int size : sizes) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + "/" + QString::number(size);
        const QPixmap icon = dorvex::qt::drawStateIcon("activate", size);
        if (!QDir().mkpath(folder) || !icon.save(folder + "/dorvexzede.png")) {
            std::cerr << "dorvexzede-icons: cannot write " << folder.toStdString() << "\n";
            return 1;
        }
    }
    return 0;
}
