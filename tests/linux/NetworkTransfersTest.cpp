#include "platform/linux/NetworkTransfers.h"
#include "tests/linux/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// /proc/net/dev with the loopback and one interface, and one more when `usbBytes` is given.
std::string devFile(std::uint64_t lo, std::uint64_t received, std::uint64_t sent,
                    std::optional<std::uint64_t> usbBytes = std::nullopt) {
    const auto line = [](const char* name, std::uint64_t in, std::uint64_t out) {
        return std::string(name) + ": " + std::to_string(in) + " 9 0 0 0 0 0 0 " +
               std::to_string(out) + " 9 0 0 0 0 0 0\n";
    };
    return "Inter-|   Receive                            |  Transmit\n"
           " face |bytes    packets errs drop fifo frame|bytes    packets errs drop fifo\n" +
           line("    lo", lo, lo) + line("  eth0", received, sent) +
           (usbBytes ? line("usb0", *usbBytes, 0) : "");
}

// The average over the window decides, in either direction; the loopback, an interface going
// away and a text that makes no sense take nothing back and add nothing.
TEST(NetworkTransfers, AnAverageOfAtLeast64KiBASecondOverTheWindowIsATransfer) {
    constexpr std::uint64_t KiB = 1024;
    const struct {
        int second;
        std::string file;
        Strings signs;
    } steps[] = {
        {0, devFile(0, 0, 0), {}},
        {1, devFile(900'000 * KiB, 100 * KiB, 0), {"102 kB/s received"}},
        {2, devFile(900'000 * KiB, 200 * KiB, 2100 * KiB), {"102 kB/s received", "1.1 MB/s sent"}},
        // Ten quiet seconds: the window holds the last read before them, and nothing since.
        {12, devFile(0, 200 * KiB, 2100 * KiB), {}},
        {13, devFile(0, 263 * KiB, 2100 * KiB), {}},
        // An interface that comes with its count, or goes, adds nothing.
        {14, devFile(0, 500 * KiB, 2100 * KiB, 5000 * KiB), {"153 kB/s received"}},
        {15, devFile(0, 500 * KiB, 2100 * KiB), {"102 kB/s received"}},
        {16, "Inter-|\n face |\n  eth0: 1 2 x\n", {}},
        {17, devFile(0, 600 * KiB, 2100 * KiB), {"81 kB/s received"}},
        {29, devFile(0, 600 * KiB, 2100 * KiB), {}},
    };
    test::TempFolder folder;
    std::ostringstream said;
    NetworkTransfers transfers(said, 10s, (folder.path() / "dev").string());
    const auto start = NetworkTransfers::Clock::now();
    for (const auto& step : steps) {
        folder.write("dev", step.file);
        Strings signs;
        transfers.addSignsAt(start + std::chrono::seconds(step.second), signs);
        EXPECT_EQ(signs, step.signs) << step.second;
    }
    EXPECT_EQ(said.str(), "Dorvex Zede cannot read the network's traffic; a transfer does not "
                          "count as the processor busy\n");
}

// Runs `command` in the network namespace `name`.
Strings inNamespace(const std::string& name, Strings command) {
    command.insert(command.begin(), {"ip", "netns", "exec", name});
    return command;
}

// Datagrams of 1 KiB to the address, `rate` KiB a second, for `seconds`.
Strings sender(int rate, int seconds) {
    return {"/usr/bin/python3", "-c",
            "import socket, time\n"
            "s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)\n"
            "start = time.monotonic(); sent = 0\n"
            "while (now := time.monotonic() - start) < " +
                std::to_string(seconds) +
                ":\n"
                "    while sent < now * " +
                std::to_string(rate) +
                ":\n"
                "        s.sendto(bytes(1024), ('10.231.0.1', 9)); sent += 1\n"
                "    time.sleep(0.01)\n"};
}

// Real traffic over a veth pair between this test's own network namespace and another: only
// their two addresses, nothing leaves them.
TEST(NetworkTransfers, TrafficBetweenTwoNamespacesHoldsOnlyAboveTheRateAndEndsWithIt) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make network namespaces";
    }
    ASSERT_EQ(::unshare(CLONE_NEWNET), 0);
    const std::string peer = "dorvex-peer-" + std::to_string(::getpid());
    const std::vector<Strings> setUp = {
        {"ip", "netns", "add", peer},
        {"ip", "link", "add", "dz0", "type", "veth", "peer", "name", "dz1", "netns", peer},
        {"ip", "addr", "add", "10.231.0.1/30", "dev", "dz0"},
        {"ip", "link", "set", "dz0", "up"},
        inNamespace(peer, {"ip", "addr", "add", "10.231.0.2/30", "dev", "dz1"}),
        inNamespace(peer, {"ip", "link", "set", "dz1", "up"}),
    };
    struct Removed {
        std::string name;
        ~Removed() { test::runCommand({"ip", "netns", "del", name}); }
    } removed{peer};
    for (const Strings& command : setUp) {
        ASSERT_EQ(test::runCommand(command).status, 0) << command[2];
    }
    std::ostringstream said;
    NetworkTransfers transfers(said, 5s);
    // Once a second, as the program asks, until the signs are `wanted` or `limit` has passed.
    const auto signsAfter = [&transfers](const Strings& wanted, std::chrono::seconds limit) {
        Strings signs;
        for (auto end = std::chrono::steady_clock::now() + limit;
             std::chrono::steady_clock::now() < end;) {
            std::this_thread::sleep_for(1s);
            signs.clear();
            transfers.addSigns(60s, signs);
            if (signs.size() == wanted.size()) {
                break;
            }
        }
        return signs;
    };
    {
        test::ChildProcess slow(inNamespace(peer, sender(10, 12)));
        EXPECT_EQ(signsAfter({"any"}, 10s), Strings{}) << "10 KiB/s is background traffic";
    }
    test::ChildProcess fast(inNamespace(peer, sender(100, 15)));
    const Strings signs = signsAfter({"one"}, 10s);
    ASSERT_EQ(signs.size(), 1U);
    EXPECT_TRUE(signs[0].ends_with(" kB/s received")) << signs[0];
    fast.wait(20s);
    EXPECT_EQ(signsAfter({}, 20s), Strings{}) << "the average fell once the transfer ended";
    EXPECT_EQ(said.str(), "");
}

} // namespace
} // namespace dorvex
