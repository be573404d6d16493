#include "tests/qt/QtTestSupport.h"

#include <QLabel>
#include <QLineEdit>
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

// What the program's texts and the user's keyboard depend on; looks are left to the eye.
const BindingCase bindingCases[] = {
    {"label text: doubled ampersand shows one, a mnemonic mark none, CR LF breaks the line",
     ControlKind::Label, [](Control& c) { c.text = "&Key && Mouse\r\nx"; },
     [](QWidget& w) { return as<QLabel>(w).text() == "Key & Mouse\nx"; }},
    {"label text stays plain, never rich text", ControlKind::Label,
     [](Control& c) { c.text = "<b>x</b>"; },
     [](QWidget& w) {
         return as<QLabel>(w).text() == "<b>x</b>" && as<QLabel>(w).textFormat() == Qt::PlainText;
     }},
    {"button caption with mnemonic", ControlKind::Button, [](Control& c) { c.text = "&Cancel"; },
     [](QWidget& w) {
         return as<QPushButton>(w).text() == "&Cancel" &&
                as<QPushButton>(w).shortcut() == QKeySequence(Qt::ALT | Qt::Key_C);
     }},
};

using ControlBindings = LoadedWindow;

// All cases side by side in one window: each shows its change after one update, and not before;
// in a hidden window, the update that shows it.
TEST_F(ControlBindings, ShowTheModelAfterUpdate) {
    for (const BindingCase& c : bindingCases) {
        model.add(makeControl(c.description, c.kind));
    }
    for (const bool hiddenMeanwhile : {false, true}) {
        SCOPED_TRACE(hiddenMeanwhile ? "changed while hidden" : "changed while shown");
        model.visible = !hiddenMeanwhile;
        hiddenMeanwhile ? windows.update() : load();
        for (const BindingCase& c : bindingCases) {
            ASSERT_NE(widget(c.description), nullptr);
            EXPECT_FALSE(c.shows(*widget(c.description))) << "before: " << c.description;
            c.change(*model.find(c.description));
        }
        windows.update();
        model.visible = true;
        windows.update();
        for (const BindingCase& c : bindingCases) {
            EXPECT_TRUE(c.shows(*widget(c.description))) << c.description;
            model.find(c.description)->text = "";
        }
        windows.update();
    }
}

TEST_F(ControlBindings, TypingAndClicksReachTheModelAndTheHandler) {
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
}

} // namespace
} // namespace dorvex::test
