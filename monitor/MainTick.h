#pragma once

namespace dorvex {

class Program;

// The once-a-second tick: the start-up delay, then monitoring, then the shutdown countdown.
class MainTick {
public:
    explicit MainTick(Program& program) : program_(program) {}

    void tmrRefresh_Timer();
    // One second of the start-up delay.
    void Start_Delay();
    // One second of monitoring: sample, count the quiet seconds, and decide whether the
    // countdown begins.
    void Check_Activity();

private:
    float timeOfDayToTheMinute() const;

    Program& program_;
};

} // namespace dorvex
