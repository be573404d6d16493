#pragma once

#include "ui/CoreWindow.h"
#include "update/UpdateReply.h"
#include "update/UrlGet.h"
#include "update/UrlGetEvents.h"

#include <cstdint>
#include <string>

namespace dorvex {

// The update check window: asks the vendor's server for the latest version, shows the answer and
// offers the pages it names. Shown at once when the user asks; loaded hidden by the daily check,
// which shows it only for a newer version. Closes itself after about two minutes.
class FrmUpdater : public CoreWindow, private UrlGetEvents {
public:
    explicit FrmUpdater(Program& program);

    // Fills UpdateReply and ErrorCount from WebData.
    void Parse_Reply();
    // True when the server offers a newer version; fills the status, message and buttons.
    bool Check_Version();

    // One instance for the whole run: unloading keeps these. Loading sets the version texts,
    // WebURL and TimerTicks; the rest keeps the last reply parsed in this run.
    std::int16_t ErrorCount = 0;
    std::string WebData;
    std::string MajorVersion;
    std::string MinorVersion;
    std::string WebURL;
    std::int16_t TimerTicks = 0;
    dorvex::UpdateReply UpdateReply;
    std::string OSVersion;

    UrlGet urlGet1;
    Control& Logo;
    Control& Status;
    Control& Timer1;
    Control& Exit;
    Control& UVersion;
    Control& WebSite;
    Control& History;
    Control& KIssues;
    Control& Message;
    Control& Download;
    Control& Contact;
    Control& Park;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void Timer1_Timer();
    // urlGet1's events.
    void DownloadComplete(std::int32_t nBytes) override;
    void DownloadFailed(std::int32_t ErrNum, const std::string& ErrDesc) override;
    void DownloadProgress(std::int32_t nBytes) override;

    // A page button: opens its page, then the focus goes to Park.
    void openPage(const std::string& page);
    // An automatic check leaves no window behind; the user's own check stays on screen.
    void closeUnlessManual();
};

} // namespace dorvex
