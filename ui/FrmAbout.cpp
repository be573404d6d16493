#include "ui/FrmAbout.h"

#include "app/Program.h"
#include "ui/Colours.h"
#include "ui/Controls.h"
#include "ui/ScreenPlacement.h"

namespace dorvex {

namespace {

Control onWhite(Control control, Font font, Colour text) {
    control.font = std::move(font);
    control.foreColour = text;
    control.backColour = White;
    return control;
}

} // namespace

FrmAbout::FrmAbout(Program& program)
    : CoreWindow(program, "frmAbout"),
      Background(
          model_.add(picture("Background", ControlKind::Picture, "about", {0, 0, 2460, 4710}))),
      Timer1(model_.add(timerControl("Timer1", 1000, true))),
      ExitAbout(model_.add(
          button("ExitAbout", "&Exit", "Close Dorvex Zede About Screen", {1400, 4200, 1000, 375}))),
      Park(model_.add(focusSink({480, 4275, 195, 240}, std::string("About ") + AppName))),
      TMessage(model_.add(onWhite(label("TMessage", "", {45, 3840, 2370, 255}, Alignment::Centre),
                                  {"Arial", 9, true}, Orange))),
      ProgName(model_.add(
          onWhite(label("ProgName", "Prog Name", {75, 1050, 2325, 375}, Alignment::Centre),
                  {"Arial", 15.75}, Colour::windowText()))),
      ProgVersion(model_.add(
          onWhite(label("ProgVersion", "Version", {75, 1425, 2325, 315}, Alignment::Centre),
                  {"Arial", 12}, White))),
      WebSite(model_.add(
          onWhite(label("WebSite", "www.kemtora.example", {75, 3240, 2325, 315}, Alignment::Centre),
                  {"Arial", 9.75, false, true}, Green))) {
    ProgVersion.transparent = true;
    model_.clientWidth = 2460;
    model_.clientHeight = 4680;
    model_.minimiseButton = false;
    model_.background = White;
    model_.icon = "window";

    on(ExitAbout, [this] { unload(); });
    on(WebSite, [this] { program_.adminHelpers.Open_Browser(model_, ""); });
    on(Timer1, [this] { Timer1_Timer(); });
}

void FrmAbout::Form_Load() {
    RunState& run = program_.state.run;
    run.AboutOpen = true;
    model_.caption = std::string("About ") + AppName;
    ProgName.text = AppName;
    ProgVersion.text =
        "Version " + std::to_string(VersionMajor) + "." + std::to_string(VersionMinor);
    TMessage.text.clear();
    run.AboutCloseSecs = program_.state.SwitchCode == 1 ? 4 : 60;
    centreOnScreen(model_, program_.platform.windows.screenSize());
}

void FrmAbout::Form_Unload() {
    Enable_Buttons();
    program_.state.run.AboutOpen = false;
}

void FrmAbout::Enable_Buttons() {
    DorvexLMain& window = program_.mainWindow;
    if (program_.state.run.RunMode == RunState::Countdown) {
        window.mPopUpCancel.enabled = true;
    } else {
        window.Reset.enabled = true;
    }
    window.About.enabled = true;
    window.mPopUpAbout.enabled = true;
    window.mPopUpReset.enabled = true;
    if (program_.Is_Admin()) {
        window.TestS.enabled = true;
        window.mPopUpTest.enabled = true;
    }
}

void FrmAbout::Timer1_Timer() {
    RunState& run = program_.state.run;
    TMessage.text = "About will close in " + std::to_string(run.AboutCloseSecs) + " sec";
    --run.AboutCloseSecs;
}

} // namespace dorvex
