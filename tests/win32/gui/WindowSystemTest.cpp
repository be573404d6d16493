// The Win32 window system under Wine on an X server: models reach the native controls, the
// user's actions reach the handlers, timers fire, and a timed box closes only itself.
#include "platform/win32/gui/Win32WindowSystem.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

namespace dorvex::test {
namespace {

class EventRecord : public WindowEvents {
public:
    void click(std::string_view control) override { record("click " + std::string(control)); }
    void timer(std::string_view timer) override { record("timer " + std::string(timer)); }
    void menuChosen(std::string_view item) override { record("menu " + std::string(item)); }
    void activated() override {}
    void stateChanged() override { record("state"); }
    void closeRequested() override { record("close"); }
    void trayMouse(int code) override { record("tray " + std::to_string(code)); }

    std::vector<std::string> events;
    std::function<void()> react;

private:
    void record(const std::string& event) {
        events.push_back(event);
        if (react) {
            react();
        }
    }
};

// Runs the window thread's messages until the condition holds, for at most the given time.
bool pumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > end) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
    return true;
}

std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A window "w" of 600 by 300 pixels at 96 dots per inch, with a label, a text box and a button.
class LoadedWindow : public ::testing::Test {
protected:
    LoadedWindow() {
        model.add({.name = "StatusActA",
                   .kind = ControlKind::Label,
                   .geometry = {150, 300, 3000, 300},
                   .text = "No activity for 5s",
                   .toolTip = "Status"});
        model.add({.name = "StopTimeT",
                   .kind = ControlKind::TextBox,
                   .geometry = {150, 900, 1500, 300},
                   .text = "23:00"});
        model.add({.name = "Exit",
                   .kind = ControlKind::Button,
                   .geometry = {150, 1500, 1500, 450},
                   .text = "&Exit"});
        windows.load(model, events);
        top = windows.handleOf(model);
    }
    // The native control of the model's control at the index.
    HWND child(int index) const { return GetDlgItem(top, 100 + index); }
    RECT placeOf(int index) const {
        RECT place;
        GetWindowRect(child(index), &place);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }

    WindowModel model = testWindow();
    EventRecord events;
    Win32WindowSystem windows{GetModuleHandleA(nullptr)};
    HWND top = nullptr;
};

TEST_F(LoadedWindow, ShowsTheModelAndFollowsItsChanges) {
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(textOf(top), "Test window");
    EXPECT_TRUE(IsWindowVisible(top));
    RECT client;
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_EQ(textOf(child(0)), "No activity for 5s");
    EXPECT_EQ(placeOf(2).left, 10);
    EXPECT_EQ(placeOf(2).bottom, 130);
    HMENU const systemMenu = GetSystemMenu(top, FALSE);
    const int fullMenu = GetMenuItemCount(systemMenu);

    model.caption = "Test window - Test Mode";
    model.topmost = true;
    model.closeCommand = false;
    model.controls[0].text = "The Computer Will Power Off In 60s";
    model.controls[1].enabled = false;
    model.controls[2].visible = false;
    model.controls[2].geometry.left = 3000;
    windows.update();
    EXPECT_EQ(textOf(top), "Test window - Test Mode");
    EXPECT_NE(GetWindowLongPtrA(top, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(top, FALSE)), fullMenu - 2);
    EXPECT_EQ(textOf(child(0)), "The Computer Will Power Off In 60s");
    EXPECT_FALSE(IsWindowEnabled(child(1)));
    EXPECT_FALSE(IsWindowVisible(child(2)));
    EXPECT_EQ(placeOf(2).left, 200);

    model.closeCommand = true;
    windows.update();
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(top, FALSE)), fullMenu);
}

TEST_F(LoadedWindow, ClicksTypingAndTheCloseCommandReachTheProgram) {
    SendMessageA(child(2), BM_CLICK, 0, 0);
    SendMessageA(top, WM_CLOSE, 0, 0);
    model.closeCommand = false;
    windows.update();
    SendMessageA(top, WM_CLOSE, 0, 0);
    SetWindowTextA(child(1), "21:15");
    EXPECT_EQ(events.events, (std::vector<std::string>{"click Exit", "close"}));
    EXPECT_EQ(model.controls[1].text, "21:15");
    // Text the program sets is no typing of the user's.
    model.controls[1].text = "22:00";
    windows.update();
    EXPECT_EQ(textOf(child(1)), "22:00");
}

TEST_F(LoadedWindow, TimersFireUntilStoppedAndStopWhenTheProgramEnds) {
    Control& tick = model.add(
        {.name = "tmrRefresh", .kind = ControlKind::Timer, .enabled = false, .intervalMs = 20});
    tick.setTimerEnabled(true);
    windows.update();
    EXPECT_TRUE(pumpUntil([&] { return events.events.size() >= 3; }));
    tick.setTimerEnabled(false);
    windows.update();
    const std::size_t fired = events.events.size();
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(events.events.size(), fired);
    EXPECT_EQ(events.events.front(), "timer tmrRefresh");
    tick.setTimerEnabled(true);
    windows.update();
    windows.stopEvents();
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(events.events.size(), fired);
}

// The box of this thread with the title and text; null when there is none or it is hidden.
HWND openBox(const char* title, const std::string& text) {
    struct Search {
        const char* title;
        const std::string& text;
        HWND found = nullptr;
    } search{title, text};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            char shown[64] = {};
            GetDlgItemTextA(window, 0xFFFF, shown, sizeof shown); // the box's text
            if (textOf(window) == s.title && shown == s.text && IsWindowVisible(window)) {
                s.found = window;
            }
            return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A window that goes on top while a box is open (the countdown) takes input again, with the box
// above it; off top again, it waits for the box as before, whose end enables it.
TEST_F(LoadedWindow, AWindowOnTopWhileABoxIsOpenIsEnabledBelowTheBox) {
    std::vector<std::string> seen;
    windows.postToWindowThread([&] {
        HWND box = nullptr;
        pumpUntil([&] { return (box = openBox("Box", "open")) != nullptr; });
        for (const bool onTop : {false, true, false}) {
            model.topmost = onTop;
            windows.update();
            bool below = false;
            for (HWND next = GetWindow(box, GW_HWNDNEXT); next != nullptr && !below;
                 next = GetWindow(next, GW_HWNDNEXT)) {
                below = next == top;
            }
            seen.push_back(std::string(IsWindowEnabled(top) ? "enabled" : "disabled") +
                           (below ? " below" : ""));
        }
        PostMessageA(box, WM_CLOSE, 0, 0);
    });
    windows.messageBox("Box", "open", MessageIcon::None);
    seen.push_back(IsWindowEnabled(top) ? "enabled" : "disabled");
    EXPECT_EQ(seen, (std::vector<std::string>{"disabled below", "enabled below", "disabled below",
                                              "enabled"}));
}

// The timed box's time runs out while a box of the same title is open above it: only the timed
// one closes.
TEST(TimedMessageBox, ClosesOnlyItsOwnBox) {
    Win32WindowSystem windows(GetModuleHandleA(nullptr));
    const ULONGLONG start = GetTickCount64();
    bool timedOpen = false;
    bool timedClosed = false;
    bool otherStayed = false;
    windows.postToWindowThread([&] {
        windows.postToWindowThread([&] {
            // The timed box is open under this one; it goes once its time has run out.
            timedOpen = openBox("Same", "timed") != nullptr;
            timedClosed = pumpUntil([&] { return openBox("Same", "timed") == nullptr; }) &&
                          GetTickCount64() - start >= 2000;
            HWND const other = openBox("Same", "other");
            otherStayed = other != nullptr;
            for (HWND box : {other, openBox("Same", "timed")}) {
                if (box != nullptr) {
                    PostMessageA(box, WM_CLOSE, 0, 0);
                }
            }
        });
        windows.messageBox("Same", "other", MessageIcon::None);
    });
    // Long enough for the other box to open above it on a busy machine.
    windows.timedMessageBox("Same", "timed", MessageIcon::None, 2000);
    EXPECT_TRUE(timedOpen);
    EXPECT_TRUE(timedClosed);
    EXPECT_TRUE(otherStayed);
}

// A screen reader reads a box by the label that captions it, wherever the model has the label,
// and hears the banner raised as an alert.
std::vector<HWND> alerts;

TEST_F(LoadedWindow, ScreenReadersReadABoxByItsCaptionAndHearAnAlert) {
    model.add({.name = "CPUAct", .kind = ControlKind::TextBox}).labelledBy = "Cpu";
    model.add({.name = "Cpu", .kind = ControlKind::Label, .text = "CPU Load"});
    windows.update();
    IAccessible* box = nullptr;
    AccessibleObjectFromWindow(child(3), OBJID_CLIENT, IID_IAccessible,
                               reinterpret_cast<void**>(&box));
    ASSERT_NE(box, nullptr);
    BSTR name = nullptr;
    box->get_accName(VARIANT{.vt = VT_I4, .lVal = CHILDID_SELF}, &name);
    EXPECT_STREQ(name, L"CPU Load");
    SysFreeString(name);
    box->Release();
    HWINEVENTHOOK const hook = SetWinEventHook(
        EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND control, LONG, LONG, DWORD, DWORD) {
            alerts.push_back(control);
        },
        0, 0, WINEVENT_OUTOFCONTEXT);
    ++model.controls[0].raised;
    windows.update();
    EXPECT_TRUE(pumpUntil([&] { return alerts == std::vector<HWND>{child(0)}; }));
    UnhookWinEvent(hook);
}

} // namespace
} // namespace dorvex::test
