#include "platform/qt/QtProcessControl.h"

#include <QCoreApplication>

namespace dorvex {

void QtProcessControl::exit(int status) {
    windows_.stopEvents();
    QCoreApplication::exit(status);
}

} // namespace dorvex
