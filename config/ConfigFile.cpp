#include "config/ConfigFile.h"

#include "app/Program.h"
#include "config/ConfigParser.h"
#include "config/ConfigText.h"
#include "config/SingleText.h"

namespace dorvex {

void ConfigFile::Config_Read() {
    program_.fileChecks.Check_Dir("data");
    program_.fileChecks.Check_File("configuration", "Data/", "DorvexL.ini");
    program_.platform.files.removeLeftovers(path);

    ConfigParseResult result;
    try {
        result = parseConfig(program_.platform.files.readLines(path), program_.state.SwitchCode);
    } catch (const FileError&) {
        result.problem = configReadError();
    }
    if (result.problem) {
        program_.endAfterMessage(result.problem->title, result.problem->text, result.problem->icon);
    }

    Settings& settings = program_.state.settings;
    settings = result.settings;
    if (settings.StopOn == Settings::On) {
        const std::string hhmm = stopTimeDigits(settings.StopTime);
        Control& stopTime = program_.mainWindow.StopTimeT;
        stopTime.text = hhmm.substr(0, 2) + ":" + hhmm.substr(2);
        stopTime.visible = true;
    }
}

void ConfigFile::Config_Write() {
    auto& platform = program_.platform;
    const std::string text =
        configFileText(program_.state.settings, platform.clock.now(), platform.clock);
    program_.fileChecks.Check_Dir("Data");
    program_.fileChecks.Check_File("configuration", "Data/", "DorvexL.ini");
    try {
        platform.files.replace(path, text);
    } catch (const FileError&) {
        program_.messageBox(std::string(AppName) + " Configuration File Error",
                            "Unable to write to the configuration file. DorvexL.ini\r\n"
                            "This may be a permissions problem.",
                            MessageIcon::Exclamation);
    }
}

} // namespace dorvex
