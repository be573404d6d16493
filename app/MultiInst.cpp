#include "app/MultiInst.h"

#include "app/Program.h"
#include "ui/Controls.h"
#include "ui/ScreenPlacement.h"

namespace dorvex {

MultiInst::MultiInst(Program& program)
    : CoreWindow(program, "MultiInst"),
      Logo(model_.add(picture("Logo", ControlKind::Picture, "logo", {240, 240, 855, 435}))),
      // The second line wraps in Arial 9.75 pt: three lines in all.
      ErrorMess(model_.add(label("ErrorMess", "", {1320, 240, 3960, 720}))),
      Exit(model_.add(button("Exit", "&Exit", "Exit", {2400, 1020, 1000, 375}))) {
    model_.clientWidth = 5520;
    model_.clientHeight = 1620;
    model_.minimiseButton = false;
    model_.icon = "window";
    // The only button has the keyboard, so Return presses it as Alt+E does.
    model_.focus = "Exit";

    on(Exit, [this] { program_.endProcess(0); });
    on(Logo, [this] { program_.adminHelpers.Open_Browser(model_, ""); });
}

void MultiInst::Form_Load() {
    model_.caption = std::string(AppName) + " Start Up Error";
    ErrorMess.text = std::string(AppName) + " or " + " Dorvex is already" + "\r\n" +
                     "running. Only one instance can be" + " running at a time.";
    centreOnScreen(model_, program_.platform.windows.screenSize());
}

void MultiInst::Form_Activate() {
    // The notice stays above other windows.
    model_.topmost = true;
    model_.visible = true;
}

// Closing the notice ends the process, as its Exit button does.
void MultiInst::Form_QueryClose() {
    program_.endProcess(0);
}

} // namespace dorvex
