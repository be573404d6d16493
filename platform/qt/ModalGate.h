#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace dorvex::qt {

// The modality of the program's message boxes. Qt's own would block every other window, the
// countdown's included, so that a box left open when the countdown begins would leave its Cancel
// without effect. Instead an application event filter, there only while a box is open, drops
// the user's input to the program's windows and to older boxes, except to windows shown on top
// while the newest box is open; those boxes are kept above them.
class ModalGate final : public QObject {
public:
    // The box is the newest until it closes.
    void open(QWidget& box);
    void close(QWidget& box);
    // The window has just been shown on top: while it stays on top it takes input, and the open
    // boxes go above it.
    void shownOnTop(QWidget& window);
    bool anyOpen() const { return !boxes_.empty(); }
    // Whether the user's input to the top-level window is dropped now.
    bool blocks(const QWidget& window) const;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct OpenBox {
        QWidget* box;
        std::vector<QPointer<QWidget>> onTop; // shown on top while this box is the newest
    };
    bool reachable(const QWidget& window) const;
    bool listedOnTop(const QWidget& window) const;
    void raiseBoxes();

    std::vector<OpenBox> boxes_; // newest last
};

} // namespace dorvex::qt
