#include "tests/qt/QtTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

struct BindingCase {
    const char* description;
    ControlKind kind;
    std::function<void(Control&)> change;
    // Holds for the widget once the change is shown, and not before.
    std::function<bool(QWidget&)> shows;
};

template <typename W> W& as(QWidget& widget) {
    return dynamic_cast<W&>(widget);
}

const QColor blue(0, 0, 255);

const BindingCase bindingCases[] = {
    {"label text: doubled ampersand shows one, a mnemonic mark none, CR LF breaks the line",
     ControlKind::Label, [](Control& c) { c.text = "&Key && Mouse\r\nx"; },
     [](QWidget& w) { return as<QLabel>(w).text() == "Key & Mouse\nx"; }},
    {"label text stays plain, never rich text", ControlKind::Label,
     [](Control& c) { c.text = "<b>x</b>"; },
     [](QWidget& w) {
         return as<QLabel>(w).text() == "<b>x</b>" && as<QLabel>(w).textFormat() == Qt::PlainText;
     }},
    {"label alignment right", ControlKind::Label,
     [](Control& c) { c.alignment = Alignment::Right; },
     [](QWidget& w) { return (as<QLabel>(w).alignment() & Qt::AlignRight) != 0; }},
    {"transparent label draws no background", ControlKind::Label,
     [](Control& c) { c.transparent = true; }, [](QWidget& w) { return !w.autoFillBackground(); }},
    {"button caption with mnemonic", ControlKind::Button, [](Control& c) { c.text = "&Cancel"; },
     [](QWidget& w) {
         return as<QPushButton>(w).text() == "&Cancel" &&
                as<QPushButton>(w).shortcut() == QKeySequence(Qt::ALT | Qt::Key_C);
     }},
    {"button caption with a literal ampersand has no mnemonic", ControlKind::Button,
     [](Control& c) { c.text = "Save && Exit"; },
     [](QWidget& w) {
         return as<QPushButton>(w).text() == "Save && Exit" &&
                as<QPushButton>(w).shortcut().isEmpty();
     }},
    {"text colour RGB, greyed while disabled", ControlKind::Label,
     [](Control& c) { c.foreColour = Colour::rgb(0, 0, 255); },
     [](QWidget& w) {
         return w.palette().color(QPalette::Active, QPalette::WindowText) == blue &&
                w.palette().color(QPalette::Disabled, QPalette::WindowText) != blue;
     }},
    {"background by role: window background", ControlKind::TextBox,
     [](Control& c) { c.backColour = Colour::windowBackground(); },
     [](QWidget& w) {
         return w.palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Base);
     }},
    {"label background RGB", ControlKind::Label,
     [](Control& c) { c.backColour = Colour::rgb(255, 255, 255); },
     [](QWidget& w) {
         return w.palette().color(QPalette::Window) == Qt::white && w.autoFillBackground();
     }},
    {"geometry in pixels at 15 twips a pixel, rounded", ControlKind::Button,
     [](Control& c) {
         c.geometry = {1297, 1620, 975, 345};
     },
     [](QWidget& w) { return w.geometry() == QRect(86, 108, 65, 23); }},
    {"text box text", ControlKind::TextBox, [](Control& c) { c.text = "--:--"; },
     [](QWidget& w) { return as<QLineEdit>(w).text() == "--:--"; }},
    {"locked text box is read-only", ControlKind::TextBox, [](Control& c) { c.locked = true; },
     [](QWidget& w) { return as<QLineEdit>(w).isReadOnly(); }},
    {"text box centred", ControlKind::TextBox, [](Control& c) { c.alignment = Alignment::Centre; },
     [](QWidget& w) { return (as<QLineEdit>(w).alignment() & Qt::AlignHCenter) != 0; }},
    {"focus sink: text in the background colour takes no room but the focus", ControlKind::TextBox,
     [](Control& c) { c.foreColour = c.backColour = Colour::buttonFace(); },
     [](QWidget& w) {
         return w.size().isEmpty() && w.pos() == QPoint(8, 8) && w.focusPolicy() != Qt::NoFocus;
     }},
    {"picture at its own size", ControlKind::Picture, [](Control& c) { c.picture = "logo"; },
     [](QWidget& w) {
         return as<QLabel>(w).pixmap().size() == QSize(55, 58) && w.width() >= 55 &&
                w.height() >= 58;
     }},
};

using ControlBindings = LoadedWindow;

// All cases side by side in one window: each shows its change after one update, and not before.
TEST_F(ControlBindings, ShowTheModelAfterUpdate) {
    for (const BindingCase& c : bindingCases) {
        model.add(makeControl(c.description, c.kind));
    }
    load();
    for (const BindingCase& c : bindingCases) {
        ASSERT_NE(widget(c.description), nullptr);
        EXPECT_FALSE(c.shows(*widget(c.description))) << "before the change: " << c.description;
        c.change(*model.find(c.description));
    }
    windows.update();
    for (const BindingCase& c : bindingCases) {
        EXPECT_TRUE(c.shows(*widget(c.description))) << c.description;
    }
}

TEST_F(ControlBindings, TypingClicksAndLaterControlsReachTheModelAndTheHandler) {
    Control& notes = model.add(makeControl("notes", ControlKind::TextBox));
    notes.multiLine = true;
    notes.text = "first\r\n<i>second</i>";
    Control& stopTime = model.add(makeControl("StopTimeT", ControlKind::TextBox));
    stopTime.text = "--:--";
    Control& cpu = model.add(makeControl("CPUAct", ControlKind::TextBox));
    cpu.locked = true;
    cpu.text = " 5%";
    model.add(makeControl("Exit", ControlKind::Button));
    model.add(makeControl("WebSite", ControlKind::Label));
    model.add(makeControl("Logo", ControlKind::Picture, {3000, 900, 900, 900})).picture = "logo";
    model.add(makeControl("Off", ControlKind::Button)).enabled = false;
    load();

    // Multi-line text stays plain; the user's lines come back with CR LF.
    auto* edit = widget<QPlainTextEdit>("notes");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), "first\n<i>second</i>");
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(notes.text, "first\r\n<i>second</i>\r\nx");
    // Typed text is in the model at once, without an event; the program's writes still show.
    auto* box = widget<QLineEdit>("StopTimeT");
    box->selectAll();
    QTest::keyClicks(box, "22:30");
    EXPECT_EQ(stopTime.text, "22:30");
    windows.update();
    EXPECT_EQ(box->text(), "22:30");
    stopTime.text = "07:05";
    windows.update();
    EXPECT_EQ(box->text(), "07:05");
    // A locked box takes no typing.
    QTest::keyClicks(widget("CPUAct"), "99");
    EXPECT_EQ(cpu.text, " 5%");
    EXPECT_TRUE(events.events.empty());

    // Left clicks on enabled buttons, labels and pictures reach the handler.
    for (const char* name : {"Exit", "WebSite", "Logo", "Off"}) {
        ASSERT_NE(widget(name), nullptr) << name;
        QTest::mouseClick(widget(name), Qt::LeftButton);
    }
    QTest::mouseClick(widget("Logo"), Qt::RightButton);
    EXPECT_EQ(events.events,
              (std::vector<std::string>{"click Exit", "click WebSite", "click Logo"}));

    model.add(makeControl("later", ControlKind::Button)).text = "&Later";
    windows.update();
    ASSERT_NE(widget<QPushButton>("later"), nullptr);
    EXPECT_EQ(widget<QPushButton>("later")->text(), "&Later");
}

} // namespace
} // namespace dorvex::test
