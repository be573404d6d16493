#include "ui/DorvexLMain.h"

#include "app/Program.h"
#include "ui/Controls.h"

namespace dorvex {

using enum Alignment;

DorvexLMain::DorvexLMain(Program& program)
    : CoreWindow(program, "DorvexLMain"),
      Park(model_.add(focusSink({360, 1680, 195, 225}, AppName))),
      ActivateIcon(model_.add(picture("ActivateIcon", ControlKind::PictureBox, "activate",
                                      {2400, 120, 375, 255}, false))),
      ActivityIcon(model_.add(picture("ActivityIcon", ControlKind::PictureBox, "activity",
                                      {3240, 120, 375, 255}, false))),
      ShutdownIcon(model_.add(picture("ShutdownIcon", ControlKind::PictureBox, "shutdown",
                                      {2790, 120, 375, 255}, false))),
      TestS(model_.add(button("TestS", "&Test", "Enables/Restarts Dorvex Zede Test Mode",
                              {90, 1620, 980, 345}, false))),
      Update(model_.add(button("Update", "&Update",
                               "Check the Kemtora web site for the latest version of Dorvex Zede",
                               {1297, 1620, 975, 345}))),
      Exit(model_.add(button("Exit", "&Exit", "Close Dorvex", {4915, 1620, 980, 345}, false))),
      About(model_.add(button("About", "&About", "About Dorvex", {3706, 1620, 980, 345}))),
      Reset(model_.add(button("Reset", "&Reset", "", {2499, 1620, 980, 345}))),
      tmrRefresh(model_.add(timerControl("tmrRefresh", 1000))),
      Logo(model_.add(picture("Logo", ControlKind::Picture, "logo", {5040, 75, 855, 435}))),
      MouseAct(model_.add(valueBox("MouseAct", {1155, 975, 300, 270}, Centre))),
      KeyAct(model_.add(valueBox("KeyAct", {780, 975, 300, 270}, Centre))),
      CPUAct(model_.add(valueBox("CPUAct", {120, 975, 585, 270}, Centre))),
      StatusActT(model_.add(valueBox("StatusActT", {4035, 960, 1860, 270}, Left))),
      StopTimeT(model_.add(valueBox("StopTimeT", {3240, 960, 585, 270}, Centre))),
      Title(model_.add(label("Title", "", {90, 120, 4920, 255}))),
      Label3(model_.add(label("Label3", "Fixed Time", {3270, 480, 525, 450}))),
      Label5(model_.add(label("Label5", "Status", {4035, 480, 570, 450}, Centre))),
      Label1(model_.add(label("Label1", "CPU Load", {120, 480, 570, 450}, Centre))),
      Label2(model_.add(label("Label2", "Key && Mouse", {795, 480, 645, 450}, Centre))),
      StatusActA(model_.add(label("StatusActA", "", {90, 1320, 5805, 255}, Centre))),
      mPopUpAbout(addMenuItem(menuItem("mPopUpAbout", "About Dorvex Zede"))),
      mPopUpLine1(addMenuItem(menuItem("mPopUpLine1", "-"))),
      mPopUpCancel(addMenuItem(menuItem("mPopUpCancel", "Cancel", false))),
      mPopUpMin(addMenuItem(menuItem("mPopUpMin", "Minimise", false))),
      mPopUpReset(addMenuItem(menuItem("mPopUpReset", "Reset"))),
      mPopUpRestore(addMenuItem(menuItem("mPopUpRestore", "Restore"))),
      mPopUpTest(addMenuItem(menuItem("mPopUpTest", "Test", true, false))),
      mPopUpUpdate(addMenuItem(menuItem("mPopUpUpdate", "Update"))),
      mPopUpLine2(addMenuItem(menuItem("mPopUpLine2", "-"))),
      mPopUpExit(addMenuItem(menuItem("mPopUpExit", "Close Dorvex Zede"))) {
    model_.caption = AppName;
    model_.clientWidth = 5970;
    model_.clientHeight = 2010;
    model_.icon = "window";
    // Each reading is read with its caption; the keyboard's and the mouse's share one.
    const auto caption = [](Control& box, const Control& label, std::string name = "") {
        box.labelledBy = label.name;
        box.accessibleName = std::move(name);
    };
    caption(CPUAct, Label1);
    caption(KeyAct, Label2, "Key");
    caption(MouseAct, Label2, "Mouse");
    caption(StopTimeT, Label3);
    caption(StatusActT, Label5);
    StatusActA.alert = true;

    on(Reset, [this] { program_.resetExit.Reset_Click(); });
    on(TestS, [this] { program_.shutdownCountdown.TestS_Click(); });
    on(Exit, [this] { program_.resetExit.Exit_Click(); });
    on(About, [this] { About_Click(); });
    on(Logo, [this] { program_.adminHelpers.Open_Browser(model_, ""); });
    on(Update, [this] { program_.updateCommands.Update_Click(); });
    on(tmrRefresh, [this] { program_.mainTick.tmrRefresh_Timer(); });
    on(mPopUpAbout, [this] { About_Click(); });
    on(mPopUpCancel, [this] { program_.resetExit.Reset_Click(); });
    on(mPopUpReset, [this] { program_.resetExit.Reset_Click(); });
    on(mPopUpExit, [this] { program_.resetExit.Exit_Click(); });
    on(mPopUpMin, [this] { program_.tray.mPopUpMin_Click(); });
    on(mPopUpRestore, [this] { program_.tray.mPopUpRestore_Click(); });
    on(mPopUpTest, [this] { program_.shutdownCountdown.TestS_Click(); });
    on(mPopUpUpdate, [this] { program_.updateCommands.Update_Click(); });
}

void DorvexLMain::Form_Load() {
    program_.mainWindowLoad.Form_Load();
}

void DorvexLMain::Form_Activate() {
    program_.mainWindowLoad.Form_Activate();
}

void DorvexLMain::Form_Resize() {
    program_.tray.Form_Resize();
}

void DorvexLMain::Form_Unload() {
    program_.resetExit.Form_Unload();
}

// Only administrators keep the close command; without it the request is refused.
void DorvexLMain::Form_QueryClose() {
    if (model_.closeCommand) {
        program_.resetExit.unloadMainWindow();
    }
}

void DorvexLMain::setState(WindowState state) {
    if (model_.state != state) {
        model_.state = state;
        Form_Resize();
    }
}

void DorvexLMain::About_Click() {
    program_.resetExit.Disable_Buttons();
    if (model_.state == WindowState::Normal) {
        model_.focus = "Park";
    }
    program_.aboutBox.show();
}

void DorvexLMain::onTrayMouse(int code) {
    program_.tray.Form_MouseMove(code);
}

} // namespace dorvex
