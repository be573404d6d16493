#pragma once

#include "ui/CoreWindow.h"

namespace dorvex {

// The about box: name, version and the vendor's home page; closes itself after a count of
// seconds, and monitoring pauses while it is open.
class FrmAbout : public CoreWindow {
public:
    explicit FrmAbout(Program& program);

    // Gives the main window its commands back.
    void Enable_Buttons();

    Control& Background;
    Control& Timer1;
    Control& ExitAbout;
    Control& Park;
    Control& TMessage;
    Control& ProgName;
    Control& ProgVersion;
    Control& WebSite;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Shows how long until the box closes.
    void Timer1_Timer();
};

} // namespace dorvex
