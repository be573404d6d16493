// The least a Qt Widgets program with a tray icon costs: an icon and a timer every second that
// does nothing, or with "sample" takes the C loop's sample.
// Usage: tray_reference SECONDS [sample] (it ends after them).
#include "bench/ReferenceSample.h"

#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    const bool sample = argc > 2 && std::string_view(argv[2]) == "sample";
    if (seconds <= 0 || (sample && reference_sample_open() == 0)) {
        std::fputs("usage: tray_reference SECONDS [sample], with an X display\n", stderr);
        return 1;
    }
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    // As precise as the program's own timer.
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [sample] {
        if (sample) {
            reference_sample_take();
        }
    });
    tick.start(1000);
    QTimer::singleShot(seconds * 1000, &application, &QApplication::quit);
    return QApplication::exec();
}
