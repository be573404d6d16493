#include "platform/win32/Win32Accounts.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32InputDevices.h"
#include "platform/win32/Win32NamedMutexes.h"
#include "platform/win32/Win32OsVersion.h"
#include "platform/win32/Win32ProcessPriority.h"
#include "platform/win32/Win32SystemTimes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace dorvex {
namespace {

// Runs the input program of the prefix to its end; true when it succeeded.
bool sendInput(const std::string& arguments) {
    std::string command = std::string(DORVEX_SEND_INPUT) + " " + arguments;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    DWORD status = 1;
    const bool ended = WaitForSingleObject(process.hProcess, 30'000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended && status == 0;
}

TEST(Win32SystemTimes, ABusyThreadShowsAsBusyTime) {
    Win32SystemTimes source;
    SystemTimes before, after;
    ASSERT_TRUE(source.read(before));
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (std::chrono::steady_clock::now() < end) {
    }
    ASSERT_TRUE(source.read(after));
    const auto busy =
        (after.kernel - after.idle) - (before.kernel - before.idle) + (after.user - before.user);
    EXPECT_GE(busy, 3'000'000) << "at least 300 ms of the 500 ms spent spinning, in 100 ns";
    EXPECT_LE(after.idle, after.kernel) << "the kernel time includes the idle time";
}

// Polls until the condition holds, for at most ten seconds: Wine hands another program's input to
// the desktop on its own time, later still on a busy machine.
bool eventually(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

// A key sent is reported by the polls that see it pressed or held and by none once it is released;
// the system's record of input shows it at the next call and then nothing more.
TEST(Win32InputDevices, SeesInputThatAnotherProgramSent) {
    Win32InputDevices input;
    CursorPosition before, after;
    ASSERT_TRUE(input.cursorPosition(before));
    ASSERT_TRUE(sendInput("move 40 50"));
    EXPECT_TRUE(eventually([&] { return input.cursorPosition(after) && after != before; }))
        << "Wine's pointer speed decides how far it went";
    input.keysReported();
    input.rawInputReported();
    for (const int code : {VK_F7, int{'Q'}, VK_F7}) {
        const auto reported = [&] { return input.keysReported()[static_cast<std::size_t>(code)]; };
        ASSERT_TRUE(sendInput("key " + std::to_string(code)));
        ASSERT_TRUE(eventually(reported)) << code;
        EXPECT_TRUE(eventually([&] { return !reported(); })) << code << " reported for good";
        EXPECT_EQ(input.rawInputReported(), (RawInput{.keyboardOrMouse = true})) << code;
        EXPECT_EQ(input.rawInputReported(), (RawInput{})) << code;
    }
}

TEST(Win32NamedMutexes, ASecondHolderFindsTheMutexUntilTheLastHandleCloses) {
    Win32NamedMutexes mutexes;
    const std::string name = "DorvexTest" + std::to_string(GetCurrentProcessId());
    const MutexCreation first = mutexes.create(name);
    ASSERT_NE(first.handle, 0u);
    EXPECT_FALSE(first.alreadyExists);
    const MutexCreation second = mutexes.create(name);
    EXPECT_TRUE(second.alreadyExists && second.handle != 0) << "error 183";
    mutexes.close(second.handle);
    mutexes.close(first.handle);
    const MutexCreation again = mutexes.create(name);
    EXPECT_FALSE(again.alreadyExists);
    mutexes.close(again.handle);
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name.c_str());
    EXPECT_THROW(mutexes.create(name), MutexError) << "the name is an event's";
    CloseHandle(event);
}

TEST(Win32Services, PriorityAdministratorsVersionAndClock) {
    Win32ProcessPriority priority;
    priority.raiseThreadPriority();
    priority.raiseProcessPriority();
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_HIGHEST);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));

    // Wine's user is in the built-in administrators group.
    EXPECT_TRUE(Win32Accounts().userIsAdministrator());

    const OsVersionNumbers version = Win32OsVersion().numbers();
    EXPECT_EQ(version.platform, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(version.major, 6u);

    const Win32Clock clock;
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(clock.abbreviatedMonthName(month), months[month - 1]);
    }
    const std::uint32_t start = clock.tickCount();
    Sleep(100);
    EXPECT_GE(clock.tickCount() - start, 50u) << "the tick count moves in steps of up to 16 ms";
}

} // namespace
} // namespace dorvex
