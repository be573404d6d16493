#include "update/FrmUpdater.h"

#include "app/Program.h"
#include "config/TrimBlanks.h"
#include "log/DateText.h"
#include "platform/CivilTime.h"
#include "ui/Controls.h"
#include "ui/ScreenPlacement.h"
#include "ui/SitePageAddress.h"
#include "update/ClsGetOSVer.h"
#include "update/ReplyParser.h"
#include "update/UpdaterLogBlocks.h"
#include "update/VersionNumber.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";
const std::string appName = AppName;

constexpr int buttonLeft = 4920;
// Wide enough for "Known Issues" in Arial 9.75 pt with the button's margins.
constexpr int buttonWidth = 1440;
constexpr int buttonHeight = 375;

Rect buttonAt(int row) {
    return {buttonLeft, 120 + row * 570, buttonWidth, buttonHeight};
}

Control messageBox() {
    Control box = valueBox("Message", {120, 540, 4560, 2280}, Alignment::Left);
    box.multiLine = true;
    return box;
}

bool present(const std::string& field) {
    return field != MissingField;
}

void enableFor(Control& button, const std::string& field) {
    if (present(field)) {
        button.enabled = true;
    }
}

} // namespace

FrmUpdater::FrmUpdater(Program& program)
    : CoreWindow(program, "frmUpdater"), urlGet1(program, *this),
      Logo(model_.add(picture("Logo", ControlKind::Picture, "logo", {3600, 2880, 825, 870}))),
      Status(model_.add(valueBox("Status", {120, 120, 4560, 300}, Alignment::Left))),
      Timer1(model_.add(timerControl("Timer1", 100))),
      Exit(model_.add(button("Exit", "&Exit", "Close " + appName + " update check", buttonAt(5)))),
      UVersion(model_.add(valueBox("UVersion", {120, 3000, 3240, 300}, Alignment::Left))),
      WebSite(model_.add(button("WebSite", "&Web Site", appName + " website", buttonAt(4), false))),
      History(model_.add(
          button("History", "&History", appName + " change history", buttonAt(2), false))),
      KIssues(model_.add(
          button("KIssues", "&Known Issues", appName + " known issues", buttonAt(3), false))),
      Message(model_.add(messageBox())),
      Download(model_.add(button("Download", "&Download",
                                 "Download the latest version of " + appName, buttonAt(1), false))),
      Contact(model_.add(button("Contact", "&Contact", "Contact Kemtora", buttonAt(0), false))),
      Park(model_.add(focusSink({4560, 3060, 195, 240}, std::string(AppName) + " Update Check"))) {
    // The logo's 55 by 58 pixels stand whole beside the version line.
    model_.clientWidth = 6480;
    model_.clientHeight = 3840;
    model_.minimiseButton = false;
    model_.icon = "window";
    model_.tabOrder = {"Park",    "Contact", "Download", "History",  "KIssues",
                       "WebSite", "Exit",    "Message",  "UVersion", "Status"};

    on(Timer1, [this] { Timer1_Timer(); });
    on(Contact, [this] { openPage(UpdateReply.Contact); });
    on(Download, [this] { openPage(UpdateReply.Download); });
    on(History, [this] { openPage(UpdateReply.History); });
    on(KIssues, [this] { openPage(UpdateReply.KIssues); });
    on(WebSite, [this] { program_.adminHelpers.Open_Browser(model_, UpdateReply.Index); });
    on(Logo, [this] { program_.adminHelpers.Open_Browser(model_, ""); });
    on(Exit, [this] { unload(); });
}

void FrmUpdater::Form_Load() {
    ProgramState& state = program_.state;
    Platform& platform = program_.platform;
    program_.fileChecks.Check_Dir("log");
    if (program_.updaterLog.switchedOn()) {
        program_.updaterLog.Init_UpdaterLog();
    }
    // A window loaded again starts as designed: the last outcome is not shown again.
    for (Control* page : {&Contact, &Download, &History, &KIssues, &WebSite}) {
        page->enabled = false;
    }
    Message.text.clear();
    model_.focus.clear();

    MajorVersion = std::to_string(VersionMajor) + "." + std::to_string(VersionMinor);
    MinorVersion = "0.0";
    const std::int64_t now = toSerialSeconds(platform.clock.now());
    state.UpdateDue = now + 24 * 3600;
    // The test switches make the program report another version of itself.
    if (state.SwitchCode == 5) {
        state.UpdateDue = now + 7;
        MajorVersion = "0.9";
    } else if (state.SwitchCode == 7) {
        MajorVersion = "0.9";
    } else if (state.SwitchCode == 8) {
        MajorVersion = "10.0";
    }
    OSVersion = ClsGetOSVer(platform.osVersion).getVersion();
    // An address that would leave the site stays empty: no request goes out, the window times out.
    WebURL =
        sitePageAddress(state.SiteRoot,
                        "software/misc/updatecheck.xml?PName=DorvexZede&ampPVer=" + MajorVersion +
                            "." + MinorVersion + "&ampOSVer=" + OSVersion)
            .value_or("");
    program_.updaterLog.Write_UpdaterLog(
        requestBlock(dateTimeText(platform.clock.now(), platform.clock), WebURL));

    model_.caption = appName + " Update Check";
    Status.text = "Please Wait - Checking for the latest version";
    UVersion.text = appName + " Version " + MajorVersion;
    program_.updaterLog.Write_UpdaterLog(
        programDataBlock(state.SwitchCode, MajorVersion, MinorVersion, OSVersion));
    centreOnScreen(model_, platform.windows.screenSize());

    TimerTicks = 0;
    Timer1.setTimerEnabled(true);
}

void FrmUpdater::Form_Unload() {
    // The download ends with its window: no event of it comes afterwards.
    urlGet1.DownloadCancel();
    Timer1.setTimerEnabled(false);
    program_.updateCommands.Enable_Update();
}

void FrmUpdater::Timer1_Timer() {
    ++TimerTicks;
    // The only time-out, whatever the outcome: about two minutes, or three seconds under
    // "-ShortUpdateTime".
    if (TimerTicks == 1201 || (TimerTicks == 31 && program_.state.SwitchCode == 5)) {
        unload();
        return;
    }
    // An incomplete reply of an earlier check says nothing about this one: it waits for its own.
    if (TimerTicks == 2) {
        urlGet1.DownloadStart(std::string(trimBlanks(WebURL)), 16);
    }
}

void FrmUpdater::DownloadProgress(std::int32_t /*nBytes*/) {
    Status.text = "Getting latest version of " + appName;
}

void FrmUpdater::DownloadFailed(std::int32_t /*ErrNum*/, const std::string& /*ErrDesc*/) {
    Status.text = "Unable to contact web site";
    closeUnlessManual();
}

void FrmUpdater::DownloadComplete(std::int32_t /*nBytes*/) {
    WebData = urlGet1.Bytes();
    Parse_Reply();
    if (ErrorCount != 0) {
        Status.text = "Error getting data - try again later";
        closeUnlessManual();
    } else if (Check_Version()) {
        // An automatic check was loaded hidden.
        show();
    } else {
        closeUnlessManual();
    }
}

void FrmUpdater::closeUnlessManual() {
    if (!program_.state.UpdateManual) {
        unload();
    }
}

void FrmUpdater::Parse_Reply() {
    UpdaterLog& log = program_.updaterLog;
    log.Write_UpdaterLog(replyHeading());
    log.Write_UpdaterLog(replyBlock(WebData));
    ParsedReply parsed = parseReply(WebData);
    UpdateReply = std::move(parsed.reply);
    ErrorCount = parsed.ErrorCount;
    log.Write_UpdaterLog(replyDataBlock(UpdateReply, ErrorCount));
}

bool FrmUpdater::Check_Version() {
    const dorvex::UpdateReply& reply = UpdateReply;
    enableFor(Contact, reply.Contact);
    const double offered = leadingDecimalNumber(reply.Version1 + "." + reply.Version2);
    const double own = leadingDecimalNumber(MajorVersion + "." + MinorVersion);
    if (offered == own) {
        Status.text = "You have the latest version of " + appName;
        Message.text =
            "Click Known Issues to see any problems we are aware of." + crlf + reply.Message;
        enableFor(WebSite, reply.Index);
        enableFor(KIssues, reply.KIssues);
        enableFor(History, reply.History);
        return false;
    }
    if (offered > own) {
        Status.text = "Version " + reply.Version1 + " of " + reply.Name + " is available ";
        Message.text = "Click Download to get it" + crlf +
                       "Click History for change info and Known Issues for any problems." + crlf +
                       reply.Message;
        if (reply.Uninstall == "Yes") {
            Message.text += crlf + "You must uninstall " + appName + "first.";
        }
        enableFor(WebSite, reply.Index);
        enableFor(KIssues, reply.KIssues);
        enableFor(History, reply.History);
        enableFor(Download, reply.Download);
        return true;
    }
    Status.text = "Unrecognised version of " + appName;
    Message.text = "Contact Kemtora for assistance.";
    return false;
}

void FrmUpdater::openPage(const std::string& page) {
    program_.adminHelpers.Open_Browser(model_, page);
    model_.focus = "Park";
}

} // namespace dorvex
