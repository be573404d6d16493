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
    {"label text: doubled ampersand shows one", ControlKind::Label,
     [](Control& c) { c.text = "Key && Mouse"; },
     [](QWidget& w) { return as<QLabel>(w).text() == "Key & Mouse"; }},
    {"label text: a mnemonic mark is not shown", ControlKind::Label,
     [](Control& c) { c.text = "&Fixed Time"; },
     [](QWidget& w) { return as<QLabel>(w).text() == "Fixed Time"; }},
    {"label text: CR LF breaks the line", ControlKind::Label,
     [](Control& c) { c.text = "Dorvex Zede is already\r\nrunning."; },
     [](QWidget& w) { return as<QLabel>(w).text() == "Dorvex Zede is already\nrunning."; }},
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
    {"tool tip", ControlKind::Button, [](Control& c) { c.toolTip = "Close Dorvex"; },
     [](QWidget& w) { return w.toolTip() == "Close Dorvex"; }},
    {"disabled", ControlKind::Button, [](Control& c) { c.enabled = false; },
     [](QWidget& w) { return !w.isEnabled(); }},
    {"hidden", ControlKind::TextBox, [](Control& c) { c.visible = false; },
     [](QWidget& w) { return w.isHidden(); }},
    {"bold", ControlKind::Label, [](Control& c) { c.font.bold = true; },
     [](QWidget& w) { return w.font().bold(); }},
    {"underlined", ControlKind::Label, [](Control& c) { c.font.underline = true; },
     [](QWidget& w) { return w.font().underline(); }},
    {"font size", ControlKind::Label, [](Control& c) { c.font.points = 15.75; },
     [](QWidget& w) { return w.font().pointSizeF() == 15.75; }},
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
    {"geometry in pixels at 15 twips a pixel", ControlKind::TextBox,
     [](Control& c) {
         c.geometry = {1155, 975, 300, 270};
     },
     [](QWidget& w) { return w.geometry() == QRect(77, 65, 20, 18); }},
    {"geometry rounds to the nearest pixel", ControlKind::Button,
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

class ControlBinding : public ::testing::TestWithParam<BindingCase> {};

TEST_P(ControlBinding, ShowsTheModelAfterUpdate) {
    const BindingCase& c = GetParam();
    WindowModel window = makeWindow();
    Control& control = window.add(makeControl("c", c.kind));
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    QWidget* widget = controlWidget<QWidget>("w", "c");
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(c.shows(*widget)) << "shown before the change";
    c.change(control);
    windows.update();
    EXPECT_TRUE(c.shows(*widget));
}

INSTANTIATE_TEST_SUITE_P(Properties, ControlBinding, ::testing::ValuesIn(bindingCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ControlBindings, MultiLineTextIsPlainAndUserLinesComeBackWithCrLf) {
    WindowModel window = makeWindow();
    Control& notes = window.add(makeControl("notes", ControlKind::TextBox));
    notes.multiLine = true;
    notes.text = "first\r\n<i>second</i>";
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    auto* edit = controlWidget<QPlainTextEdit>("w", "notes");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), "first\n<i>second</i>");
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(notes.text, "first\r\n<i>second</i>\r\nx");
}

TEST(ControlBindings, TypedTextIsInTheModelAtOnceWithoutAnEvent) {
    WindowModel window = makeWindow();
    Control& stopTime = window.add(makeControl("StopTimeT", ControlKind::TextBox));
    stopTime.text = "--:--";
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    auto* edit = controlWidget<QLineEdit>("w", "StopTimeT");
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "22:30");
    EXPECT_EQ(stopTime.text, "22:30");
    windows.update();
    EXPECT_EQ(edit->text(), "22:30");
    EXPECT_TRUE(events.events.empty());
    // The program's own write still reaches the box afterwards.
    stopTime.text = "07:05";
    windows.update();
    EXPECT_EQ(edit->text(), "07:05");
}

TEST(ControlBindings, ALockedBoxTakesNoTyping) {
    WindowModel window = makeWindow();
    Control& cpu = window.add(makeControl("CPUAct", ControlKind::TextBox));
    cpu.locked = true;
    cpu.text = " 5%";
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    auto* edit = controlWidget<QLineEdit>("w", "CPUAct");
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "99");
    EXPECT_EQ(cpu.text, " 5%");
}

TEST(ControlBindings, ClicksOnButtonsLabelsAndPicturesReachTheHandler) {
    WindowModel window = makeWindow();
    window.add(makeControl("Exit", ControlKind::Button));
    window.add(makeControl("WebSite", ControlKind::Label, {120, 900, 1500, 300}));
    window.add(makeControl("Logo", ControlKind::Picture, {3000, 900, 900, 900})).picture = "logo";
    window.add(makeControl("Off", ControlKind::Button, {120, 1800, 900, 300})).enabled = false;
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    for (const char* name : {"Exit", "WebSite", "Logo", "Off"}) {
        QWidget* widget = controlWidget<QWidget>("w", name);
        ASSERT_NE(widget, nullptr) << name;
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    QTest::mouseClick(controlWidget<QWidget>("w", "Logo"), Qt::RightButton);
    EXPECT_EQ(events.events,
              (std::vector<std::string>{"click Exit", "click WebSite", "click Logo"}));
}

TEST(ControlBindings, ControlsAddedAfterLoadGetTheirWidgets) {
    WindowModel window = makeWindow();
    window.add(makeControl("first", ControlKind::Label));
    EventRecord events;
    QtWindowSystem windows;
    windows.load(window, events);
    window.add(makeControl("later", ControlKind::Button)).text = "&Later";
    windows.update();
    auto* later = controlWidget<QPushButton>("w", "later");
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->text(), "&Later");
}

} // namespace
} // namespace dorvex::test
