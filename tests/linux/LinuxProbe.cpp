// The second process of the guard tests: `linux_probe guard` takes the single-instance guard as
// the program does at start-up, prints "running" or "refused", and when running holds it for a
// minute.
#include "app/Program.h"
#include "platform/fake/FakePlatform.h"
#include "platform/linux/FlockNamedMutexes.h"

#include <chrono>
#include <iostream>
#include <string_view>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 2 || std::string_view(argv[1]) != "guard") {
        std::cerr << "usage: linux_probe guard\n";
        return 2;
    }
    dorvex::FakeMutexRegistry unused;
    dorvex::FakePlatform fake("/", unused, {2026, 12, 7, 10, 0, 0});
    dorvex::FlockNamedMutexes mutexes;
    // The fake platform with the real guard.
    dorvex::Platform platform{
        fake.clock,       fake.files,    mutexes,          fake.process,
        fake.priority,    fake.windows,  fake.systemTimes, fake.input,
        fake.power,       fake.accounts, fake.osVersion,   fake.urls,
        fake.signSources, fake.notices,  fake.systemLog,   fake.statusRequests};
    dorvex::Program program(platform);
    if (program.mdMult.Check_PrevInstance("Dorvex", false)) {
        std::cout << "refused" << std::endl;
        return 0;
    }
    std::cout << "running" << std::endl;
    std::this_thread::sleep_for(std::chrono::minutes(1));
    return 0;
}
