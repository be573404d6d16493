#include "platform/qt/MessageBoxes.h"

#include "platform/qt/Conversions.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace dorvex::qt {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A session log or a terminal shows what the user was told.
void writeToStandardError(const QString& title, const QString& text) {
    const QByteArray record = (title + u'\n' + text + QStringLiteral("\n\n")).toUtf8();
    std::fwrite(record.constData(), 1, static_cast<std::size_t>(record.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void runMessageBox(ModalGate& gate, const std::string& title, const std::string& text,
                   MessageIcon icon, std::optional<int> closeAfterMs) {
    const QString shownTitle = plainText(title);
    const QString shownText = plainText(text);
    writeToStandardError(shownTitle, shownText);
    QMessageBox box(toQtIcon(icon), shownTitle, shownText, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::NonModal);
    // Above every window, the countdown's included: the user must see what is asked of them.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QTimer closer;
    if (closeAfterMs) {
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, &box, [&box] { box.done(QMessageBox::Ok); });
        closer.start(*closeAfterMs);
    }
    // Modal through the gate rather than Qt, whose modality would also block the countdown.
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    gate.open(box);
    box.show();
    loop.exec(QEventLoop::DialogExec);
    gate.close(box);
}

} // namespace dorvex::qt
