// A small program for the tests that need a second process, or other user and group ids:
//   linux_probe guard   takes the single-instance guard as the program does at start-up, prints
//                       "running" or "refused", and when running holds it for a minute
//   linux_probe admin   prints "administrator" or "user"
#include "app/Program.h"
#include "platform/fake/FakePlatform.h"
#include "platform/linux/FlockNamedMutexes.h"
#include "platform/linux/PosixAccounts.h"
#include "tests/linux/MixedPlatform.h"

#include <chrono>
#include <iostream>
#include <string_view>
#include <thread>

namespace {

int guard() {
    dorvex::FakeMutexRegistry unused;
    dorvex::FakePlatform fake("/", unused, {2026, 12, 7, 10, 0, 0});
    dorvex::FlockNamedMutexes mutexes;
    dorvex::Platform platform = dorvex::test::mixedPlatform(fake, {.mutexes = &mutexes});
    dorvex::Program program(platform);
    if (program.mdMult.Check_PrevInstance("Dorvex", false)) {
        std::cout << "refused" << std::endl;
        return 0;
    }
    std::cout << "running" << std::endl;
    std::this_thread::sleep_for(std::chrono::minutes(1));
    return 0;
}

int admin() {
    std::cout << (dorvex::PosixAccounts().userIsAdministrator() ? "administrator" : "user")
              << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "guard") {
        return guard();
    }
    if (command == "admin") {
        return admin();
    }
    std::cerr << "usage: linux_probe guard|admin\n";
    return 2;
}
