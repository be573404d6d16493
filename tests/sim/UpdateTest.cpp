#include "platform/CivilTime.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

// A reply with a page for every button, offering a version.
UpdateReply offer(std::string version1, std::string version2 = "0.0") {
    return {"contact.htm",       "software/dorvexzede.zip", "history.htm", "issues.htm",
            "index.htm",         "Faster start-up.",        "Dorvex Zede", "No",
            std::move(version1), std::move(version2)};
}

// The reply with one field changed.
UpdateReply with(UpdateReply reply, std::string UpdateReply::*field, std::string value) {
    reply.*field = std::move(value);
    return reply;
}

std::string document(const UpdateReply& r) {
    std::string text = "<?xml version=\"1.0\"?>\r\n<update>";
    for (const auto& [name, field] : replyTags) {
        text += "<" + std::string(name) + ">" + r.*field + "</" + std::string(name) + ">";
    }
    return text + "</update>\r\n";
}

std::string without(std::string text, const std::string& cut) {
    text.erase(text.find(cut), cut.size());
    return text;
}

const std::string newerStatus = "Version 5.6 of Dorvex Zede is available ";
const std::string newerMessage = "Click Download to get it\r\nClick History for change info and "
                                 "Known Issues for any problems.\r\nFaster start-up.";
const std::string latestStatus = "You have the latest version of Dorvex Zede";
const std::string latestMessage =
    "Click Known Issues to see any problems we are aware of.\r\nFaster start-up.";
const std::string olderStatus = "Unrecognised version of Dorvex Zede";
const std::string olderMessage = "Contact Kemtora for assistance.";
const std::string waiting = "Please Wait - Checking for the latest version";
const Strings allButtons{"Contact", "Download", "History", "KIssues", "WebSite", "Exit"};

FrmUpdater& updater(Simulation& sim) {
    return sim.program().updateWindow;
}

Strings enabledButtons(FrmUpdater& window) {
    Strings enabled;
    for (const Control* button : {&window.Contact, &window.Download, &window.History,
                                  &window.KIssues, &window.WebSite, &window.Exit}) {
        if (button->enabled) {
            enabled.push_back(button->name);
        }
    }
    return enabled;
}

// The Update button, then the window's second tick, which sends the request.
void checkByHand(Simulation& sim) {
    sim.click("Update");
    sim.fake().windows.runFor(200);
}

void answer(Simulation& sim, const std::string& reply) {
    ASSERT_TRUE(sim.fake().urls.complete(reply)) << "no read running";
}

bool commandsEnabled(Simulation& sim) {
    return sim.main().Update.enabled && sim.main().mPopUpUpdate.enabled;
}

TEST(UpdateRequest, NamesTheProgramItsVersionAndTheSystemAndEndsWithTheProgram) {
    const struct {
        const char* arguments;
        const char* version;
    } cases[] = {{"", "5.5"},
                 {"-LowerVersion", "0.9"},
                 {"-HigherVersion", "10.0"},
                 {"-ShortUpdateTime", "0.9"}};
    for (const auto& c : cases) {
        Simulation sim({.arguments = c.arguments});
        sim.fake().osVersion.version = {2, 5, 1};
        sim.program().state.SiteRoot = "http://127.0.0.1:8080/dz/";
        sim.click("Update");
        FrmUpdater& window = updater(sim);
        EXPECT_TRUE(window.model().visible);
        EXPECT_EQ(window.model().caption, "Dorvex Zede Update Check");
        EXPECT_EQ(window.Status.text, waiting);
        EXPECT_EQ(window.UVersion.text, std::string("Dorvex Zede Version ") + c.version);
        EXPECT_EQ(enabledButtons(window), Strings{"Exit"});
        sim.fake().windows.runFor(100);
        EXPECT_TRUE(sim.fake().urls.reads.empty()) << "the first tick only waits";
        sim.fake().windows.runFor(100);
        ASSERT_EQ(sim.fake().urls.reads.size(), 1u) << c.arguments;
        EXPECT_EQ(sim.fake().urls.reads[0].url,
                  std::string("http://127.0.0.1:8080/dz/software/misc/updatecheck.xml"
                              "?PName=DorvexZede&ampPVer=") +
                      c.version + ".0.0&ampOSVer=2.5.1");
        EXPECT_EQ(sim.fake().urls.reads[0].options, 16) << "never from a cache";
        // Exit closes the check before the main window.
        sim.click("Exit");
        EXPECT_FALSE(window.loaded());
        EXPECT_TRUE(sim.fake().urls.reads[0].cancelled);
        EXPECT_EQ(sim.exitStatus(), 0);
        EXPECT_EQ(sim.logEvents().back(), "Exit/Initialise");
    }
}

TEST(UpdateReplies, ShowTheOutcomeWithTheButtonsItAllows) {
    const UpdateReply html =
        with(offer("5.5"), &UpdateReply::Message,
             "<b>Bold</b> &amp; <a href=\"http://elsewhere.example/\">link</a>");
    const Strings sameButtons{"Contact", "History", "KIssues", "WebSite", "Exit"};
    const Strings olderButtons{"Contact", "Exit"};
    const std::string error = "Error getting data - try again later";
    const struct {
        const char* arguments;
        std::string reply;
        std::string status;
        std::string message;
        Strings enabled;
    } cases[] = {
        {"", document(offer("5.6")), newerStatus, newerMessage, allButtons},
        {"",
         document(with(with(offer("5.6"), &UpdateReply::Index, "Error"), &UpdateReply::Download,
                       "Error")),
         newerStatus, newerMessage, Strings{"Contact", "History", "KIssues", "Exit"}},
        {"", document(with(offer("5.6"), &UpdateReply::Uninstall, "Yes")), newerStatus,
         newerMessage + "\r\nYou must uninstall Dorvex Zedefirst.", allButtons},
        {"", document(offer("5.5")), latestStatus, latestMessage, sameButtons},
        {"", document(html), latestStatus,
         "Click Known Issues to see any problems we are aware of.\r\n" + html.Message, sameButtons},
        {"", document(offer("5.4")), olderStatus, olderMessage, olderButtons},
        {"", without(document(offer("5.6")), "</Uninstall>"), error, "", Strings{"Exit"}},
        {"-HigherVersion", document(offer("5.6")), olderStatus, olderMessage, olderButtons},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        Simulation sim({.arguments = c.arguments});
        checkByHand(sim);
        answer(sim, c.reply);
        FrmUpdater& window = updater(sim);
        EXPECT_EQ(window.Status.text, c.status);
        EXPECT_EQ(window.Message.text, c.message);
        EXPECT_EQ(enabledButtons(window), c.enabled);
        EXPECT_EQ(window.ErrorCount, c.status == error ? 1 : 0);
        EXPECT_TRUE(window.loaded() && window.model().visible) << "a manual check stays open";
        EXPECT_FALSE(commandsEnabled(sim));
    }
}

TEST(UpdateFailures, AManualCheckShowsThemAndStaysButClosesAtItsLastTickWithoutAnAnswer) {
    for (const bool tooLarge : {false, true}) {
        Simulation sim;
        checkByHand(sim);
        sim.fake().urls.progress("<Contact>");
        EXPECT_EQ(updater(sim).Status.text, "Getting latest version of Dorvex Zede");
        if (tooLarge) {
            sim.fake().urls.progress(std::string((1u << 20) + 1, ' '));
            EXPECT_TRUE(sim.fake().urls.reads[0].cancelled);
        } else {
            sim.fake().urls.fail(-2146697211, "The system cannot locate the resource specified.");
        }
        FrmUpdater& window = updater(sim);
        EXPECT_EQ(window.Status.text, "Unable to contact web site");
        EXPECT_EQ(enabledButtons(window), Strings{"Exit"});
        EXPECT_TRUE(window.loaded());
        sim.click("Exit", "frmUpdater");
        EXPECT_FALSE(window.loaded());
        EXPECT_TRUE(commandsEnabled(sim));
        EXPECT_FALSE(sim.program().state.UpdateBusy);
    }
    // Without an answer the window closes at its 1201st tick and forgets the read.
    Simulation sim;
    sim.click("Update");
    sim.fake().windows.runFor(1200 * 100);
    ASSERT_TRUE(updater(sim).loaded());
    EXPECT_EQ(updater(sim).TimerTicks, 1200);
    sim.fake().windows.runFor(100);
    EXPECT_FALSE(updater(sim).loaded());
    EXPECT_TRUE(commandsEnabled(sim));
    EXPECT_TRUE(sim.fake().urls.reads[0].cancelled) << "the read ends with its window";
}

// The automatic check, loaded hidden 3 s after start, shows itself only for a newer version.
TEST(AutomaticCheck, OnlyANewerVersionShowsTheWindowForUpToTwoMinutes) {
    const std::string newer = document(offer("5.6"));
    for (const std::string& reply : {newer, document(offer("5.5")), document(offer("5.4")),
                                     without(newer, "<Name>"), std::string("refused")}) {
        SCOPED_TRACE(reply);
        Simulation sim;
        sim.advanceSeconds(3);
        ASSERT_TRUE(updater(sim).loaded());
        EXPECT_FALSE(updater(sim).model().visible || sim.program().state.UpdateManual);
        EXPECT_FALSE(commandsEnabled(sim));
        sim.fake().windows.runFor(200);
        ASSERT_EQ(sim.fake().urls.reads.size(), 1u);
        if (reply == "refused") {
            sim.fake().urls.fail(1, reply);
        } else {
            answer(sim, reply);
        }
        const bool shown = reply == newer;
        EXPECT_EQ(updater(sim).loaded() && updater(sim).model().visible, shown);
        EXPECT_NE(commandsEnabled(sim), shown);
        if (shown) {
            sim.fake().windows.runFor(120000 - 200);
            EXPECT_TRUE(updater(sim).loaded());
            sim.fake().windows.runFor(100);
            EXPECT_FALSE(updater(sim).loaded());
            EXPECT_TRUE(commandsEnabled(sim));
        }
        EXPECT_FALSE(sim.program().state.UpdateBusy);
    }
}

std::int64_t serial(Simulation& sim) {
    return toSerialSeconds(sim.fake().clock.now());
}

TEST(UpdateTiming, TheFirstAutomaticCheckComesThreeSecondsAfterStartThenDaily) {
    Simulation sim;
    sim.fake().systemTimes.setLoad(100); // a busy machine runs for days
    const std::int64_t start = serial(sim);
    sim.advanceSeconds(2);
    EXPECT_FALSE(updater(sim).loaded());
    sim.advanceSeconds(1);
    ASSERT_TRUE(updater(sim).loaded());
    EXPECT_EQ(sim.program().state.UpdateDue, start + 3 + 86400);
    sim.fake().windows.runFor(200);
    answer(sim, document(offer("5.5")));
    ASSERT_FALSE(updater(sim).loaded());
    sim.advanceSeconds(86400 - 1);
    EXPECT_FALSE(updater(sim).loaded());
    EXPECT_EQ(sim.fake().urls.reads.size(), 1u);
    // A hibernation or a long modal box: the clock jumps over the due second.
    sim.fake().clock.setNow({2026, 12, 8, 11, 0, 0});
    sim.advanceSeconds(1);
    EXPECT_TRUE(updater(sim).loaded());
    EXPECT_FALSE(updater(sim).model().visible);
}

// The button's path is every other update scenario's.
TEST(UpdateCommands, TheTraysItemChecksByHandAlsoUnderInhibitUpdate) {
    Simulation sim({.arguments = "-InhibitUpdate"});
    sim.chooseFromTray("mPopUpUpdate");
    EXPECT_TRUE(updater(sim).model().visible && sim.program().state.UpdateManual);
    EXPECT_FALSE(commandsEnabled(sim));
    sim.fake().windows.runFor(200);
    EXPECT_EQ(sim.fake().urls.reads.size(), 1u);
}

TEST(UpdateCommands, TheCountdownClosesTheCheckAndHoldsTheCommands) {
    Simulation sim({.config = configWith("2", "1", "1", "12300", "1")});
    sim.advanceSeconds(61);
    sim.click("Update");
    sim.fake().windows.runFor(200);
    ASSERT_TRUE(updater(sim).loaded());
    sim.advanceSeconds(1);
    ASSERT_EQ(sim.run().RunMode, RunState::Countdown);
    EXPECT_FALSE(updater(sim).loaded());
    EXPECT_TRUE(sim.fake().urls.reads[0].cancelled);
    EXPECT_FALSE(commandsEnabled(sim));
    EXPECT_FALSE(sim.program().state.UpdateBusy);

    // Due during the countdown: no check while it runs.
    sim.program().state.UpdateDue = serial(sim);
    sim.advanceSeconds(5);
    EXPECT_FALSE(updater(sim).loaded());
    sim.click("Reset");
    EXPECT_TRUE(commandsEnabled(sim));
    sim.advanceSeconds(1);
    EXPECT_TRUE(updater(sim).loaded()) << "the first tick after the countdown checks";
}

TEST(UpdateEarlierReply, AWindowLoadedAgainStartsAsDesignedWaitsForItsOwnAnswerAndOpensItsPages) {
    Simulation sim;
    checkByHand(sim);
    answer(sim, without(document(offer("5.6")), "<Index>"));
    sim.click("Exit", "frmUpdater");

    checkByHand(sim);
    FrmUpdater& window = updater(sim);
    EXPECT_EQ(enabledButtons(window), Strings{"Exit"});
    EXPECT_EQ(window.Message.text, "");
    EXPECT_EQ(window.Status.text, waiting);
    sim.click("Download", "frmUpdater");
    EXPECT_TRUE(sim.fake().windows.openedUrls.empty()) << "a disabled button opens nothing";
    answer(sim, document(with(offer("5.6"), &UpdateReply::History, "notes/version 5.6.htm")));
    EXPECT_EQ(window.Status.text, newerStatus);

    // The buttons open the named pages, on the site only.
    for (const char* button : {"Contact", "Download", "History", "KIssues", "WebSite", "Logo"}) {
        sim.click(button, "frmUpdater");
    }
    EXPECT_EQ(sim.fake().windows.openedUrls,
              (Strings{"http://kemtora.example/contact.htm",
                       "http://kemtora.example/software/dorvexzede.zip",
                       "http://kemtora.example/notes/version%205.6.htm",
                       "http://kemtora.example/issues.htm", "http://kemtora.example/index.htm",
                       "http://kemtora.example/"}));
    EXPECT_TRUE(sim.messages().empty());

    window.UpdateReply.Download = "http://elsewhere.example/dz.exe";
    sim.click("Download", "frmUpdater");
    EXPECT_EQ(sim.fake().windows.openedUrls.size(), 6u) << "a page off the site is not opened";
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{
                  {"Dorvex Zede Error", "Unable to launch Browser.", MessageIcon::None}}));
    EXPECT_EQ(window.Status.text, newerStatus) << "the window keeps its state";
}

class UpdaterLogFile : public ::testing::Test {
protected:
    fs::path file(const char* name) const { return sim.folder() / "Log" / name; }
    void switchOn() const { std::ofstream(file("LogOn.txt")) << "on"; }
    std::string log() const { return readFile(file("Updater.log")); }
    void run(void (UpdaterLog::*step)()) {
        sim.program().dispatch([&] { (sim.program().updaterLog.*step)(); });
    }
    static ShownMessage error(const std::string& title, const std::string& action) {
        return {title,
                "Unable to " + action +
                    " the log file Updater.log.\r\nThis may be a permissions problem.\r\nThe "
                    "program will now terminate.",
                MessageIcon::Exclamation};
    }

    Simulation sim;
};

const std::string requestAndProgramBlocks =
    "07-Dec-26 10:00:00\r\nUpdate Check\r\n\r\nWeb URL\r\n-------\r\n"
    "http://kemtora.example/software/misc/updatecheck.xml?PName=DorvexZede&ampPVer=5.5.0.0&"
    "ampOSVer=2.6.1\r\n\r\n"
    "Program Data\r\n------------\r\n"
    "Control Mode :  0\r\n"
    "Program Name :  Dorvex Zede\r\n"
    "Major Version:  5.5\r\n"
    "Minor Version:  0.0\r\n"
    "OS Version:     2.6.1\r\n\r\n";

TEST_F(UpdaterLogFile, AWholeCheckByteForByte) {
    checkByHand(sim);
    answer(sim, document(offer("5.6")));
    EXPECT_FALSE(fs::exists(file("Updater.log"))) << "nothing without the switch file";
    sim.click("Exit", "frmUpdater");
    switchOn();
    checkByHand(sim);
    const std::string reply = "  \t" + document(offer("5.6")) + "\r\n  ";
    answer(sim, reply);
    EXPECT_EQ(log(), "Updater\r\nVersion 5.5\r\nFile Created\r\n07-Dec-26 10:00:00\r\n\r\n\r\n" +
                         requestAndProgramBlocks + "Web Page xml\r\n------------\r\n\t" +
                         document(offer("5.6")) +
                         "\r\n\r\n\r\nWeb Page Data\r\n-------------\r\n"
                         "Program Name :  Dorvex Zede\r\nMajor Version:  5.6\r\n"
                         "Minor Version:  0.0\r\nContact url  :  contact.htm\r\n"
                         "Download url :  software/dorvexzede.zip\r\nKnown Issues :  issues.htm\r\n"
                         "History      :  history.htm\r\nHome Page    :  index.htm\r\n"
                         "Message      :  Faster start-up.\r\nUninstall    :  No\r\n"
                         "Error Count  :  0\r\n\r\n\r\n\r\n");
}

TEST_F(UpdaterLogFile, MissingValuesAndAFailedCheckWithoutANewHeader) {
    switchOn();
    checkByHand(sim);
    answer(sim, "<Name>X</Name>");
    const std::string first = log();
    EXPECT_TRUE(first.ends_with("Uninstall    :  Error\r\nError Count  :  9\r\n\r\n\r\n\r\n"));
    sim.click("Exit", "frmUpdater");
    checkByHand(sim);
    sim.fake().urls.fail(1, "refused");
    EXPECT_EQ(log(), first + requestAndProgramBlocks);
}

TEST_F(UpdaterLogFile, SwitchedOnDuringACheckWithoutALogEndsTheProgram) {
    checkByHand(sim);
    switchOn();
    answer(sim, document(offer("5.6")));
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{{"Dorvex Zede Log File Error",
                                          "The log file is either missing\r\nor corrupted. "
                                          "Reinstall the program\r\nto restore the file.\r\nThe "
                                          "program will now terminate.",
                                          MessageIcon::Stop}}));
    EXPECT_EQ(sim.exitStatus(), 1);
}

TEST_F(UpdaterLogFile, AMissingFolderOrALogThatCannotBeCreatedEndsTheProgram) {
    fs::create_directory(file("Updater.log"));
    run(&UpdaterLog::Init_UpdaterLog);
    EXPECT_EQ(sim.messages(), std::vector{error("Updater Log File Error", "create")});
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_TRUE(sim.fake().windows.trayShown()) << "the tray icon stays";
    EXPECT_FALSE(sim.main().tmrRefresh.enabled);

    Simulation other;
    fs::remove_all(other.folder() / "Log");
    other.program().dispatch([&] { other.program().updaterLog.Init_UpdaterLog(); });
    ASSERT_EQ(other.messages().size(), 1u);
    EXPECT_EQ(other.messages()[0].title, "Dorvex Zede log Directory Error");
    EXPECT_EQ(other.exitStatus(), 1);
}

TEST_F(UpdaterLogFile, ALogThatCannotBeWrittenEndsTheProgramKeepingTheTrayIcon) {
    switchOn();
    run(&UpdaterLog::Init_UpdaterLog);
    fs::permissions(file("Updater.log"), fs::perms::owner_read | fs::perms::others_read);
    const ShownMessage expected = error("Updater Log File Write Error", "write to");
    DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
        sim.program().dispatch([&] { sim.program().updaterLog.Write_UpdaterLog("text"); });
        return sim.messages() == std::vector{expected} && sim.exitStatus() == 1 &&
               sim.fake().windows.trayShown();
    }()));
}

TEST(UpdateRequest, ARootThatWouldLeaveTheSiteSendsNothing) {
    for (const char* siteRoot : {"http://127.0.0.1:18431", "http://kemtora.example@127.0.0.1/"}) {
        Simulation sim;
        sim.program().state.SiteRoot = siteRoot;
        sim.click("Update");
        sim.fake().windows.runFor(300);
        EXPECT_TRUE(sim.fake().urls.reads.empty()) << siteRoot;
    }
}

} // namespace
} // namespace dorvex::test
