#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {

Strings crLfLines(const std::string& text) {
    Strings lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

std::string configWith(const std::string& cpuOn, const std::string& kmOn, const std::string& stopOn,
                       const std::string& stopTime, const std::string& shutType) {
    return "# Dorvex Zede Version 5.5\r\n# Configuration File\r\n# 01-Dec-26 09:00:00\r\n\r\n"
           "[Run]\r\nCPUOn=" +
           cpuOn + "\r\nKMOn=" + kmOn + "\r\nStopOn=" + stopOn + "\r\nStopTime=" + stopTime +
           "\r\n\r\n[Shutdown]\r\nShutType=" + shutType + "\r\n";
}

std::string defaultConfig() {
    return configWith("2", "2", "1", "12300", "1");
}

Simulation::Simulation(SimulationOptions options) {
    if (options.folder != nullptr) {
        folderPath_ = options.folder;
    } else {
        ownFolder_ = std::make_unique<TempFolder>();
        folderPath_ = &ownFolder_->path();
        if (options.dataFolder) {
            std::filesystem::create_directory(*folderPath_ / "Data");
            if (options.config) {
                ownFolder_->write("Data/DorvexL.ini", *options.config);
            }
        }
        if (options.logFolder) {
            std::filesystem::create_directory(*folderPath_ / "Log");
        }
    }
    if (options.session != nullptr) {
        session_ = options.session;
    } else {
        ownSession_ = std::make_unique<FakeMutexRegistry>();
        session_ = ownSession_.get();
    }
    fake_ = std::make_unique<FakePlatform>(*folderPath_, *session_, options.start);
    fake_->accounts.administrator = options.administrator;
    fake_->windows.trayHost = options.trayHost;
    const Platform fake = fake_->platform();
    platform_ = std::make_unique<Platform>(
        options.urls == nullptr
            ? fake
            : Platform{fake.clock, fake.files, fake.mutexes, fake.process, fake.priority,
                       fake.windows, fake.systemTimes, fake.input, fake.power, fake.accounts,
                       fake.osVersion, *options.urls, fake.signSources, fake.notices,
                       fake.systemLog, fake.statusRequests});
    program_ = std::make_unique<Program>(*platform_);
    program_->start(options.arguments);
}

std::string Simulation::logText() const {
    return readFile(*folderPath_ / "Log" / "DorvexL.log");
}

void Simulation::click(std::string_view control, std::string_view window) {
    WindowEvents* events = fake_->windows.events(window);
    if (events == nullptr) {
        ADD_FAILURE() << "no window " << window << " to click " << control << " on";
        return;
    }
    events->click(control);
}

void Simulation::chooseFromTray(std::string_view item) {
    fake_->windows.menuChoices.emplace_back(item);
    fake_->windows.events("DorvexLMain")->trayMouse(0x0204);
}

void Simulation::doubleClickTray() {
    fake_->windows.events("DorvexLMain")->trayMouse(0x0203);
}

std::vector<LogEventKind> Simulation::lastSentKinds(std::size_t count) const {
    const auto& sent = fake_->systemLog.entries;
    std::vector<LogEventKind> kinds;
    for (auto entry = sent.end() - static_cast<std::ptrdiff_t>(std::min(count, sent.size()));
         entry != sent.end(); ++entry) {
        kinds.push_back(entry->kind);
    }
    return kinds;
}

Strings Simulation::logEvents() const {
    auto trim = [](std::string text) {
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    Strings events;
    for (const std::string& line : crLfLines(logText())) {
        // "hh:mm:ss, event     , state     , Count:     n"
        if (line.size() == 46 && line.substr(8, 2) == ", " && line.substr(32, 8) == ", Count:") {
            events.push_back(trim(line.substr(10, 10)) + "/" + trim(line.substr(22, 10)));
        }
    }
    return events;
}

} // namespace dorvex::test
