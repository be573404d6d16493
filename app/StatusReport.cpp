#include "app/StatusReport.h"

#include "app/JsonWriter.h"
#include "app/Program.h"

#include <algorithm>
#include <utility>

namespace dorvex {

namespace {

const char* runModeName(std::int16_t mode) {
    switch (mode) {
    case RunState::Monitoring:
        return "monitoring";
    case RunState::Countdown:
        return "countdown";
    default:
        return "start-up delay";
    }
}

// One kind of activity; `reading` writes its reading's members.
template <typename Reading>
void writeKind(JsonWriter& json, const char* kind, bool watched, int count, int limit,
               Reading reading) {
    json.beginObject().key("kind").string(kind).key("watched").boolean(watched);
    reading();
    json.key("count").number(count).key("limit").number(limit).endObject();
}

void writeSigns(JsonWriter& json, const Program& program) {
    json.key("signsOfUse").beginArray();
    // Only monitoring asks for them: from the last tick of a run before, they hold nothing off.
    if (program.state.run.RunMode == RunState::Monitoring) {
        for (const auto& [kind, name] :
             {std::pair{SignKind::Presence, "presence"}, std::pair{SignKind::Work, "work"}}) {
            for (const std::string& sign : program.sampling.signsSeen(kind)) {
                json.beginObject().key("kind").string(name).key("text").string(sign).endObject();
            }
        }
    }
    json.endArray();
}

// The seconds the countdown shows. Its step counts a second on once it has shown them, unless it
// is still under way: waiting in its message at the end, say.
void writeCountdown(JsonWriter& json, const Program& program) {
    const RunState& run = program.state.run;
    std::optional<long long> left;
    if (run.RunMode == RunState::Countdown && !run.TestMode) {
        const int shownAt = run.PhaseSeconds - (program.shutdownCountdown.stepWaiting() ? 0 : 1);
        left = std::max(0, run.CountdownSecs - std::max(0, shownAt));
    }
    json.key("countdownSeconds").numberOrNull(left);
}

} // namespace

std::string statusReport(Program& program) {
    const RunState& run = program.state.run;
    const Settings& settings = program.state.settings;
    const SampleState& samples = program.state.samples;
    JsonWriter json;
    json.beginObject();
    json.key("version").string(VersionText);
    json.key("runMode").string(runModeName(run.RunMode));
    json.key("testMode").boolean(run.TestMode);
    json.key("shutType").string(run.ShutTypeText);

    json.key("watched").beginArray();
    const bool cpuWatched = settings.CPUOn == Settings::On;
    writeKind(json, "processor", cpuWatched, run.CPUIdleCount, run.CPUIdleLimit, [&] {
        // The average load in percent, none before the first sample or after a failed one.
        json.key("reading").numberOrNull(cpuWatched ? samples.CPUAvgShown : std::nullopt);
        json.key("threshold").number(run.CPULevel);
    });
    const bool inputWatched = settings.KMOn == Settings::On;
    writeKind(json, "keyboard and mouse", inputWatched, run.KMIdleCount, run.KMIdleLimit, [&] {
        // The marks of the boxes: "K" and "M" for key and pointer input, "I" for either, "_"
        // for none, "?" for input nobody can see.
        json.key("reading").stringOrNull(
            inputWatched ? std::optional<std::string_view>(samples.KMActText) : std::nullopt);
    });
    json.endArray();

    const bool fixedTime = settings.StopOn == Settings::On;
    json.key("fixedTime")
        .stringOrNull(fixedTime ? std::optional(program.runDisplay.fixedTimeText()) : std::nullopt);
    writeCountdown(json, program);
    writeSigns(json, program);

    InputDevices& input = program.platform.input;
    const std::string notWatched = input.notWatchedReason();
    json.key("inputSource").beginObject().key("name").string(input.sourceName());
    json.key("notWatchedReason")
        .stringOrNull(notWatched.empty() ? std::nullopt
                                         : std::optional<std::string_view>(notWatched))
        .endObject();
    json.key("administrator").boolean(program.Is_Admin());
    json.endObject();
    return json.text();
}

} // namespace dorvex
