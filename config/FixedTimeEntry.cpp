#include "config/FixedTimeEntry.h"

#include "app/Program.h"

namespace dorvex {

std::optional<float> FixedTimeEntry::parseTime(std::string_view text) {
    auto digit = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '9'; };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4)) {
        return std::nullopt;
    }
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
    if (hours > 23 || minutes > 59) {
        return std::nullopt;
    }
    return static_cast<float>(10000 + hours * 100 + minutes);
}

void FixedTimeEntry::Update_StopTime() {
    Settings& settings = program_.state.settings;
    if (settings.StopOn != Settings::On) {
        return;
    }
    if (const auto stopTime = parseTime(program_.mainWindow.StopTimeT.text)) {
        settings.StopTime = *stopTime;
        program_.configFile.Config_Write();
        return;
    }
    program_.messageBox(std::string(AppName) + " Set Time Error",
                        "The shutdown time must be a vaild time of the\n"
                        "format 'hh:mm'. The time has not been updated\n"
                        "The original time set has been retained.",
                        MessageIcon::Exclamation);
    program_.configFile.Config_Read();
}

} // namespace dorvex
