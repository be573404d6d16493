#include "config/ConfigParser.h"
#include "config/ConfigText.h"
#include "platform/fake/FakeClock.h"
#include "platform/stdfs/StdFileSystem.h"
#include "tests/support/TempFolder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

// A configuration file read from disk; one that passes is written back and must read the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvex;
    static const test::TempFolder folder;
    static StdFileSystem files(folder.path());
    static const FakeClock clock;
    FuzzedDataProvider input(data, size);
    const std::int16_t switchCode = input.ConsumeBool() ? 1 : 0;
    files.replace("DorvexL.ini", input.ConsumeRemainingBytesAsString());
    ConfigParseResult read;
    try {
        read = parseConfig(files.readLines("DorvexL.ini"), switchCode);
    } catch (const FileError&) {
        return 0; // too large to be read, as the program refuses it
    }
    if (read.problem) {
        return 0;
    }
    files.replace("DorvexL.ini", configFileText(read.settings, clock.now(), clock));
    const ConfigParseResult again = parseConfig(files.readLines("DorvexL.ini"), switchCode);
    const Settings& a = read.settings;
    const Settings& b = again.settings;
    if (again.problem || a.CPUOn != b.CPUOn || a.KMOn != b.KMOn || a.StopOn != b.StopOn ||
        a.StopTime != b.StopTime || a.ShutType != b.ShutType) {
        std::abort();
    }
    return 0;
}
