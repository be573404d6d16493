#pragma once

#include "ui/CoreWindow.h"

namespace dorvex {

// The main window: a small fixed dialog with the readings, the fixed time, the status, the rule
// in force and five buttons, and the tray's popup menu.
class DorvexLMain : public CoreWindow {
public:
    explicit DorvexLMain(Program& program);

    Control& Park;
    Control& ActivateIcon;
    Control& ActivityIcon;
    Control& ShutdownIcon;
    Control& TestS;
    Control& Update;
    Control& Exit;
    Control& About;
    Control& Reset;
    Control& tmrRefresh;
    Control& Logo;
    Control& MouseAct;
    Control& KeyAct;
    Control& CPUAct;
    Control& StatusActT;
    Control& StopTimeT;
    Control& Title;
    Control& Label3;
    Control& Label5;
    Control& Label1;
    Control& Label2;
    Control& StatusActA;

    MenuItem& mPopUpAbout;
    MenuItem& mPopUpLine1;
    MenuItem& mPopUpCancel;
    MenuItem& mPopUpMin;
    MenuItem& mPopUpReset;
    MenuItem& mPopUpRestore;
    MenuItem& mPopUpTest;
    MenuItem& mPopUpUpdate;
    MenuItem& mPopUpLine2;
    MenuItem& mPopUpExit;

    // Sets the window state as the program does; a change raises Form_Resize.
    void setState(WindowState state);
    void About_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void Form_QueryClose() override;
    void onTrayMouse(int code) override;

private:
    MenuItem& addMenuItem(MenuItem item) { return model_.menu.emplace_back(std::move(item)); }
};

} // namespace dorvex
