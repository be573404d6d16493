#include "desktop/CommandLine.h"

#include "app/SwitchCode.h"
#include "app/Version.h"

#include <string_view>

namespace dorvex {

std::string argumentText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        text += (i > 1 ? " " : "") + std::string(argv[i]);
    }
    return text;
}

std::string helpText() {
    return "Usage: dorvexzede [switch] [-AllowMulti]\n"
           "       dorvexzede -h | --help | --version\n"
           "       dorvexzede --status\n"
           "Shuts the computer down when it is not in use. Run it in the folder that holds\n"
           "Data/DorvexL.ini and Log/.\n"
           "\n"
           "One test switch may stand first; each also turns the shutdown into a message:\n"
           "  -InhibitShutdown   short test timings\n"
           "  -StartShutdown     short test timings\n"
           "  -InhibitAdmin      short test timings, the user counts as no administrator\n"
           "  -ShortUpdateTime   automatic update checks every 7 seconds\n"
           "  -InhibitUpdate     no automatic update checks\n"
           "  -LowerVersion      update check with a lower own version\n"
           "  -HigherVersion     update check with a higher own version\n"
           "  -IncreaseCPULevel  processor threshold 50 % instead of 15 %\n"
           "  -AllowMulti        (last) run beside another instance\n"
           "\n"
           "  -h, --help         this text\n"
           "  --version          the version\n"
           "  --status           what the instance running in this session sees, as JSON\n";
}

namespace {

int printStatus(const StatusAnswer& answer, std::ostream& out, std::ostream& err) {
    if (!answer.report) {
        err << "dorvexzede: no instance of " << AppName << " runs in this session"
            << (answer.whyNone.empty() ? "" : " (" + answer.whyNone + ")") << "\n";
        return 3;
    }
    out << *answer.report << "\n";
    return 0;
}

} // namespace

std::optional<int> answerWithoutRunning(int argc, char** argv, std::ostream& out, std::ostream& err,
                                        const std::function<StatusAnswer()>& askStatus) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            out << helpText();
            return 0;
        }
        if (argument == "--version") {
            out << AppName << " " << VersionText << "\n";
            return 0;
        }
        if (argument == "--status") {
            return printStatus(askStatus(), out, err);
        }
        if (argument.starts_with('-') && !isKnownSwitch(argument)) {
            err << "dorvexzede: unknown switch \"" << argument << "\"\n\n" << helpText();
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace dorvex
