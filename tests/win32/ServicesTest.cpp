#include "platform/win32/NetworkInterfaceTable.h"

#include "platform/win32/EventLogSystemLog.h"
#include "platform/win32/StatusQuery.h"
#include "platform/win32/Win32Accounts.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32InputDevices.h"
#include "platform/win32/Win32NamedMutexes.h"
#include "platform/win32/Win32NetworkTransfers.h"
#include "platform/win32/Win32OsVersion.h"
#include "platform/win32/Win32OtherSessions.h"
#include "platform/win32/Win32ProcessPriority.h"
#include "platform/win32/Win32StatusRequests.h"
#include "platform/win32/Win32SystemTimes.h"
#include "platform/win32/Win32WakeRequests.h"
#include "platform/win32/WindowOwner.h"

#include "EventMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <cwchar>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

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
    const std::optional<CursorPosition> before = input.poll().position;
    ASSERT_TRUE(before);
    ASSERT_TRUE(sendInput("move 40 50"));
    EXPECT_TRUE(eventually([&] {
        const std::optional<CursorPosition> after = input.poll().position;
        return after && after != before;
    })) << "Wine's pointer speed decides how far it went";
    input.poll();
    for (const int code : {VK_F7, int{'Q'}, VK_F7}) {
        // The record of input as the polls that look for the key have seen it.
        RawInput raw;
        const auto reported = [&] {
            const InputPoll polled = input.poll();
            raw.keyboardOrMouse = raw.keyboardOrMouse || polled.raw.keyboardOrMouse;
            return polled.keys[static_cast<std::size_t>(code)];
        };
        ASSERT_TRUE(sendInput("key " + std::to_string(code)));
        ASSERT_TRUE(eventually(reported)) << code;
        EXPECT_TRUE(eventually([&] { return !reported(); })) << code << " reported for good";
        EXPECT_EQ(raw, (RawInput{.keyboardOrMouse = true})) << code;
        EXPECT_EQ(input.poll().raw, (RawInput{})) << code;
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

using Signs = std::vector<std::string>;

Signs signsOf(SignSource& source) {
    Signs signs;
    source.addSigns(std::chrono::seconds(60), signs);
    return signs;
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

    // Wine has no Remote Desktop Services: it lists no session, not even its own, and reports the
    // execution state as "user present" whatever its programs ask: no sign and no failure.
    std::ostringstream told;
    SystemWakeRequestCalls wakeCalls;
    SystemSessionCalls sessionCalls;
    Win32WakeRequests requests(wakeCalls, told);
    Win32OtherSessions sessions(sessionCalls, told);
    EXPECT_EQ(signsOf(requests), Signs{});
    EXPECT_EQ(signsOf(sessions), Signs{});
    EXPECT_EQ(told.str(), "");
}

struct AnsweringWakeCalls : WakeRequestCalls {
    LONG status = 0;
    ULONG state = ES_CONTINUOUS | ES_SYSTEM_REQUIRED;
    LONG systemExecutionState(ULONG& answer) override {
        answer = state;
        return status;
    }
};

// Without either flag, as Wine answers, there is no sign (above).
TEST(Win32WakeRequests, TheSystemOrDisplayKeptOnIsASignAndAFailingCallIsToldOnce) {
    AnsweringWakeCalls calls;
    std::ostringstream told;
    Win32WakeRequests requests(calls, told);
    const Signs awake{"a program keeps the machine awake"};
    EXPECT_EQ(signsOf(requests), awake);
    calls.state = ES_DISPLAY_REQUIRED | ES_USER_PRESENT;
    EXPECT_EQ(signsOf(requests), awake);
    calls.status = LONG(0xC0000022);
    EXPECT_EQ(signsOf(requests).size() + signsOf(requests).size(), 0u);
    EXPECT_EQ(told.str(), "Dorvex Zede cannot learn whether a program keeps the machine awake "
                          "(status 0xc0000022): none counts as use\n");
}

// Answers as Windows would, counting the buffers handed out until they are given back. The
// program's session is 1.
struct AnsweringSessionCalls : SessionCalls {
    std::vector<WTS_SESSION_INFOW> listed;
    std::map<std::pair<DWORD, int>, std::string> answers; // by session and what is asked
    BOOL lists = TRUE;
    int handedOut = 0;
    BOOL processIdToSessionId(DWORD process, DWORD& session) override {
        session = 1;
        return process == GetCurrentProcessId();
    }
    BOOL enumerateSessions(WTS_SESSION_INFOW*& sessions, DWORD& count) override {
        count = static_cast<DWORD>(listed.size());
        sessions = static_cast<WTS_SESSION_INFOW*>(lists ? handOut(listed.data()) : nullptr);
        return lists;
    }
    BOOL querySession(DWORD session, WTS_INFO_CLASS what, LPWSTR& buffer, DWORD& bytes) override {
        const auto answer = answers.find({session, what});
        if (answer != answers.end()) {
            bytes = static_cast<DWORD>(answer->second.size());
            buffer = static_cast<LPWSTR>(handOut(answer->second.data()));
        }
        return answer != answers.end();
    }
    void freeMemory(void*) override { --handedOut; }
    DWORD lastError() override { return ERROR_ACCESS_DENIED; }
    void* handOut(const void* data) {
        ++handedOut;
        return const_cast<void*>(data);
    }
    template <class T> void answer(DWORD session, WTS_INFO_CLASS what, const T& value) {
        answers[{session, what}].assign(reinterpret_cast<const char*>(&value), sizeof value);
    }
    // A session with input `idle` seconds ago; with none told (-1), connected that long ago.
    void add(DWORD id, WTS_CONNECTSTATE_CLASS state, const wchar_t* user, const wchar_t* station,
             LONGLONG idle, LONGLONG connected = 0) {
        listed.push_back({id, const_cast<wchar_t*>(station), state});
        const LONGLONG now = 133'000'000'000'000'000, second = 10'000'000;
        WTSINFOW info{.State = state, .SessionId = id};
        std::wcscpy(info.UserName, user);
        std::wcscpy(info.Domain, id == 6 ? L"office" : L"OFFICE");
        std::wcscpy(info.WinStationName, station);
        info.CurrentTime.QuadPart = now;
        info.LastInputTime.QuadPart = idle < 0 ? 0 : now - idle * second;
        info.ConnectTime.QuadPart = now - connected * second;
        answer(id, WTSSessionInfo, info);
    }
};

TEST(Win32OtherSessions, AnotherActiveSessionUsedWithinTheQuietTimeIsASign) {
    AnsweringSessionCalls calls;
    calls.add(1, WTSActive, L"ann", L"Console", 0); // the program's own
    calls.add(2, WTSActive, L"bob", L"Console", 5);
    calls.add(3, WTSActive, L"bob", L"RDP-Tcp#2", 120); // quiet too long
    calls.add(4, WTSDisconnected, L"carl", L"", 0);
    calls.add(0, WTSActive, L"SYSTEM", L"Services", 0);
    calls.add(65536, WTSListen, L"", L"RDP-Tcp", 0);
    calls.add(5, WTSActive, L"dora", L"RDP-Tcp#3", 0);
    calls.answer(5, WTSClientProtocolType, USHORT{WTS_PROTOCOL_TYPE_RDP});
    calls.answer(5, WTSClientName, L"LAPTOP-7");
    calls.add(6, WTSActive, L"ann", L"Console", -1, 10);
    calls.add(7, WTSActive, L"erik", L"Console", -1, 3600);
    std::ostringstream told;
    Win32OtherSessions sessions(calls, told);
    EXPECT_EQ(signsOf(sessions), (Signs{"bob is logged in on Console, active 5 s ago",
                                        "dora is logged in remotely from LAPTOP-7, active now",
                                        "ann uses another session (Console), active 10 s ago"}));
    calls.listed.push_back({8, nullptr, WTSActive}); // gone before it was asked
    EXPECT_EQ(signsOf(sessions).size(), 3u);
    calls.lists = FALSE;
    EXPECT_EQ(signsOf(sessions), Signs{});
    EXPECT_EQ(told.str(), "Dorvex Zede cannot ask Windows about other sessions "
                          "(WTSQuerySessionInformationW, error 5): a session it cannot ask about "
                          "does not count as use\n");
    EXPECT_EQ(calls.handedOut, 0);
}

// Answers with the interfaces given, as GetIfTable2 and GetIfEntry2 would, or the table with an
// error; counts the tables taken and freed and the rows asked for.
class InterfaceTable : public InterfaceTableCalls {
public:
    std::vector<MIB_IF_ROW2> rows;
    DWORD tableError = NO_ERROR;
    int taken = 0, freed = 0, asked = 0;

    DWORD getIfTable2(MIB_IF_TABLE2*& table) override {
        if (tableError != NO_ERROR) {
            return tableError;
        }
        ++taken;
        const std::size_t at = offsetof(MIB_IF_TABLE2, Table);
        auto* bytes = static_cast<char*>(::operator new(at + rows.size() * sizeof(MIB_IF_ROW2)));
        std::memcpy(bytes + at, rows.data(), rows.size() * sizeof(MIB_IF_ROW2));
        table = reinterpret_cast<MIB_IF_TABLE2*>(bytes);
        table->NumEntries = static_cast<ULONG>(rows.size());
        return NO_ERROR;
    }
    void freeMibTable(MIB_IF_TABLE2* table) override {
        ++freed;
        ::operator delete(table);
    }
    DWORD getIfEntry2(MIB_IF_ROW2& row) override {
        ++asked;
        for (const MIB_IF_ROW2& known : rows) {
            if (known.InterfaceLuid.Value == row.InterfaceLuid.Value) {
                row = known;
                return NO_ERROR;
            }
        }
        return ERROR_FILE_NOT_FOUND;
    }
};

MIB_IF_ROW2 interfaceRow(ULONG64 luid, ULONG64 received, ULONG64 sent,
                         IFTYPE type = IF_TYPE_ETHERNET_CSMACD, bool filter = false) {
    MIB_IF_ROW2 row{};
    row.InterfaceLuid.Value = luid;
    row.Type = type;
    row.InterfaceAndOperStatusFlags.FilterInterface = filter;
    row.InOctets = received;
    row.OutOctets = sent;
    return row;
}

// The rule is the one every system shares; what is Windows' own is which interfaces count (not
// the loopback, not a filter counting its adapter's bytes a second time) and when they are listed.
TEST(Win32NetworkTransfers, CountsTheAdaptersOnlyListingThemEvery30SecondsOrWhenOneHasGone) {
    constexpr ULONG64 KiB = 1024;
    const auto rows = [](ULONG64 received, ULONG64 sent, std::optional<ULONG64> usb = {}) {
        std::vector rows{interfaceRow(7, received, sent),
                         interfaceRow(1, 90 * received, 0, IF_TYPE_SOFTWARE_LOOPBACK),
                         interfaceRow(9, received, sent, IF_TYPE_ETHERNET_CSMACD, true)};
        if (usb) {
            rows.push_back(interfaceRow(11, *usb, 0));
        }
        return rows;
    };
    const struct {
        int second;
        std::vector<MIB_IF_ROW2> rows;
        DWORD tableError;
        std::vector<std::string> signs;
    } steps[] = {
        {0, rows(0, 0), NO_ERROR, {}},
        {1, rows(100 * KiB, 0), NO_ERROR, {"102 kB/s received"}},
        {2, rows(300 * KiB, 2100 * KiB), NO_ERROR, {"153 kB/s received", "1.1 MB/s sent"}},
        // Listed again after 30 s: the list fails, then brings an adapter, whose count adds
        // nothing until its next read.
        {31, {}, ERROR_NOT_ENOUGH_MEMORY, {}},
        {32, rows(300 * KiB, 2100 * KiB, 5000 * KiB), NO_ERROR, {}},
        {33, rows(400 * KiB, 2100 * KiB, 5100 * KiB), NO_ERROR, {"204 kB/s received"}},
        // The adapter is pulled out: its row fails, and the list is taken again.
        {34, rows(400 * KiB, 2100 * KiB), NO_ERROR, {"102 kB/s received"}},
        {35, rows(400 * KiB, 2100 * KiB), NO_ERROR, {"68 kB/s received"}},
    };
    InterfaceTable table;
    std::ostringstream said;
    Win32NetworkTransfers transfers(table, said, std::chrono::seconds(10));
    const auto start = Win32NetworkTransfers::Clock::now();
    for (const auto& step : steps) {
        table.rows = step.rows;
        table.tableError = step.tableError;
        std::vector<std::string> signs;
        transfers.addSignsAt(start + std::chrono::seconds(step.second), signs);
        EXPECT_EQ(signs, step.signs) << step.second;
    }
    EXPECT_EQ(table.taken, 3) << "at 0, 32 and 35";
    EXPECT_EQ(table.freed, 3);
    EXPECT_EQ(table.asked, 6) << "the adapter at 1 and 2, both at 33 and 34";
    EXPECT_EQ(said.str(), TransferRate::unreadableNotice);
}

// Wine reads the counters of the machine's own interfaces. Eight MiB over the loopback in 29 s
// would be a transfer of 289 kB/s; it counts as none.
TEST(Win32NetworkTransfers, WineCountsTheLoopbackWhichIsNoTransfer) {
    SystemInterfaceTableCalls system;
    MIB_IF_ROW2 loopback{};
    MIB_IF_TABLE2* table = nullptr;
    ASSERT_EQ(system.getIfTable2(table), static_cast<DWORD>(NO_ERROR));
    for (ULONG at = 0; at < table->NumEntries; ++at) {
        if (table->Table[at].Type == IF_TYPE_SOFTWARE_LOOPBACK) {
            loopback = table->Table[at];
        }
    }
    system.freeMibTable(table);
    ASSERT_EQ(loopback.Type, static_cast<IFTYPE>(IF_TYPE_SOFTWARE_LOOPBACK));
    const auto loopbackBytes = [&system, &loopback] {
        return system.getIfEntry2(loopback) == NO_ERROR ? loopback.OutOctets : 0;
    };
    std::ostringstream said;
    Win32NetworkTransfers transfers(system, said);
    std::vector<std::string> signs;
    const auto start = Win32NetworkTransfers::Clock::now();
    const ULONG64 before = loopbackBytes();
    transfers.addSignsAt(start, signs);

    WSADATA winsock;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9); // discard: nobody listens, the loopback counts it all the same
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const std::vector<char> datagram(32 * 1024);
    for (int sent = 0; sent < 256; ++sent) {
        ::sendto(socket, datagram.data(), static_cast<int>(datagram.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    closesocket(socket);
    WSACleanup();
    ASSERT_TRUE(eventually([&] { return loopbackBytes() >= before + 8 * 1024 * 1024; }))
        << "Wine tells the loopback's counters";

    transfers.addSignsAt(start + std::chrono::seconds(29), signs);
    EXPECT_EQ(signs, std::vector<std::string>{});
    EXPECT_EQ(said.str(), "");
}

const struct {
    LogEventKind kind;
    DWORD id;
    WORD type;
} eventsOfKinds[] = {
    {LogEventKind::Start, DORVEX_EVENT_START, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::Monitoring, DORVEX_EVENT_MONITORING, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::Test, DORVEX_EVENT_TEST, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::Countdown, DORVEX_EVENT_COUNTDOWN, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::PowerOff, DORVEX_EVENT_POWER_OFF, EVENTLOG_WARNING_TYPE},
    {LogEventKind::Simulation, DORVEX_EVENT_SIMULATION, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::HibernationResume, DORVEX_EVENT_HIBERNATION_RESUME, EVENTLOG_WARNING_TYPE},
    {LogEventKind::Reset, DORVEX_EVENT_RESET, EVENTLOG_INFORMATION_TYPE},
    {LogEventKind::Exit, DORVEX_EVENT_EXIT, EVENTLOG_INFORMATION_TYPE},
};
const SystemLogEntry entry{LogEventKind::Start, "Enter     , Power Off ✓ Größe", "Enter",
                           "Power Off", -3};
const std::vector<std::wstring> entryStrings{L"Enter     , Power Off ✓ Größe", L"Enter",
                                             L"Power Off", L"-3"};

// Records each report; they fail, as a full log's would.
struct RecordingEventLogCalls : EventLogCalls {
    HANDLE source = nullptr;
    int registered = 0, deregistered = 0;
    std::vector<std::tuple<WORD, DWORD, std::vector<std::wstring>>> reports;
    HANDLE registerEventSource(const wchar_t* name) override {
        registered += std::wstring(name) == L"Dorvex Zede";
        return source;
    }
    BOOL reportEvent(HANDLE log, WORD type, DWORD id,
                     const std::vector<const wchar_t*>& strings) override {
        EXPECT_EQ(log, source);
        reports.emplace_back(type, id, std::vector<std::wstring>(strings.begin(), strings.end()));
        return FALSE;
    }
    void deregisterEventSource(HANDLE log) override { deregistered += log == source; }
};

TEST(EventLogSystemLog, EachKindHasItsEventIdAndTypeAndTheSourceIsRegisteredOnce) {
    RecordingEventLogCalls calls, refusing;
    calls.source = reinterpret_cast<HANDLE>(0x5ead);
    {
        EventLogSystemLog log(calls), refused(refusing);
        for (const auto& event : eventsOfKinds) {
            log.record({event.kind, entry.message, entry.event, entry.state, entry.count});
            refused.record(entry);
            ASSERT_FALSE(calls.reports.empty());
            EXPECT_EQ(calls.reports.back(), std::tuple(event.type, event.id, entryStrings))
                << int(event.kind);
        }
    }
    EXPECT_EQ(calls.registered + refusing.registered, 2)
        << "once each, whether that or a report failed";
    EXPECT_EQ(calls.deregistered, 1);
    EXPECT_EQ(refusing.reports.size() + refusing.deregistered, 0u);
}

// Wine's event log is a stub: it takes the source and the reports and keeps nothing. The program
// carries the message of every event id, which shows the entry's text.
TEST(EventLogSystemLog, WineTakesTheReportsAndTheProgramHasTheMessages) {
    SystemEventLogCalls calls;
    const HANDLE source = calls.registerEventSource(EventLogSystemLog::sourceName);
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(calls.reportEvent(source, EVENTLOG_WARNING_TYPE, DORVEX_EVENT_POWER_OFF, {L"0"}));
    calls.deregisterEventSource(source);
    EventLogSystemLog(calls).record(entry);

    const HMODULE program = LoadLibraryExA(DORVEX_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (const auto& event : eventsOfKinds) {
        wchar_t message[16]{};
        FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, program,
                       event.id, 0, message, std::size(message), nullptr);
        EXPECT_EQ(std::wstring(message).substr(0, 2), L"%1") << int(event.kind);
    }
    FreeLibrary(program);
}

// The report is made on the thread that serves, between its other messages, as the program's
// window thread does; the window goes with the server. Only the same user's windows are answered,
// and Wine's desktop window is its explorer.exe's.
TEST(Win32StatusRequests, TheInstanceAnswersTheSameUserWithItsReportWhileItServes) {
    EXPECT_TRUE(windowOfSameUser(GetDesktopWindow()));
    EXPECT_FALSE(windowOfSameUser(nullptr));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto ask = [instance] { return askRunningInstance(instance, 5000); };
    EXPECT_EQ(ask(), std::nullopt) << "nobody serves yet";
    {
        const std::string report = R"({"runMode":"monitoring","note":"Größe ✓"})";
        DWORD reportThread = 0;
        Win32StatusRequests requests(instance);
        requests.serve([&] {
            reportThread = GetCurrentThreadId();
            return report;
        });
        auto answer = std::async(std::launch::async, ask);
        while (answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                DispatchMessageW(&message);
            }
        }
        EXPECT_EQ(answer.get(), report);
        EXPECT_EQ(reportThread, GetCurrentThreadId());
    }
    EXPECT_EQ(ask(), std::nullopt) << "its window is gone";
}

} // namespace
} // namespace dorvex
