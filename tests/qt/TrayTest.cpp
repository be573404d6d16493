#include "tests/qt/QtTestSupport.h"

#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

QSystemTrayIcon* trayIcon() {
    return qApp->findChild<QSystemTrayIcon*>("trayIcon");
}

class Tray : public ::testing::Test {
protected:
    Tray() {
        main.name = "DorvexLMain";
        about.name = "frmAbout";
        windows.load(main, mainEvents);
        windows.load(about, aboutEvents);
    }
    // Whether the tray shows the named picture.
    bool shows(const std::string& picture) {
        return trayIcon()->icon().pixmap(32).toImage() ==
               pictures.icon(picture).pixmap(32).toImage();
    }

    WindowModel main;
    WindowModel about;
    EventRecord mainEvents;
    EventRecord aboutEvents;
    QtWindowSystem windows;
    qt::Pictures pictures;
};

TEST_F(Tray, AddModifyAndDeleteFailWithoutEffectInTheWrongState) {
    windows.trayModify({"activity", "Dorvex Zede"});
    windows.trayDelete();
    EXPECT_TRUE(trayIcon() == nullptr || !trayIcon()->isVisible());

    windows.trayAdd({"activate", "Dorvex Zede"});
    ASSERT_NE(trayIcon(), nullptr);
    EXPECT_TRUE(trayIcon()->isVisible());
    EXPECT_EQ(trayIcon()->toolTip(), "Dorvex Zede");
    EXPECT_TRUE(shows("activate"));
    windows.trayModify({"shutdown", "Dorvex Zede", "Activity"});
    EXPECT_TRUE(shows("shutdown") && trayIcon()->toolTip() == "Dorvex Zede\nActivity");

    windows.trayDelete();
    EXPECT_FALSE(trayIcon()->isVisible());
    windows.trayModify({"activity", "Dorvex Zede"});
    EXPECT_FALSE(trayIcon()->isVisible());
    EXPECT_TRUE(shows("shutdown"));
}

TEST_F(Tray, MouseCodesGoToTheWindowLoadedFirst) {
    windows.trayAdd({"activate", "Dorvex Zede"});
    for (const auto reason : {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Trigger,
                              QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context}) {
        emit trayIcon()->activated(reason);
    }
    // Not inside the icon's own mouse event, which the program may end by removing the icon.
    EXPECT_TRUE(mainEvents.events.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(mainEvents.events, (std::vector<std::string>{"tray 515", "tray 516"}));
    EXPECT_TRUE(aboutEvents.events.empty());
    // The program shows its own menu.
    EXPECT_EQ(trayIcon()->contextMenu(), nullptr);
}

} // namespace
} // namespace dorvex::test
