#include "tests/qt/QtTestSupport.h"

#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

QSystemTrayIcon* trayIcon() {
    return qApp->findChild<QSystemTrayIcon*>("trayIcon");
}

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(32).toImage();
}

class Tray : public ::testing::Test {
protected:
    Tray() {
        main.name = "DorvexLMain";
        about.name = "frmAbout";
        windows.load(main, mainEvents);
        windows.load(about, aboutEvents);
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
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("activate")));

    windows.trayAdd({"shutdown", "other"});
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("activate")));
    EXPECT_EQ(trayIcon()->toolTip(), "Dorvex Zede");

    windows.trayModify({"shutdown", "Dorvex Zede"});
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("shutdown")));

    windows.trayDelete();
    EXPECT_FALSE(trayIcon()->isVisible());
    windows.trayModify({"activity", "Dorvex Zede"});
    EXPECT_FALSE(trayIcon()->isVisible());
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("shutdown")));
}

TEST_F(Tray, AnUnknownPictureKeepsTheIcon) {
    windows.trayAdd({"activity", "Dorvex Zede"});
    windows.trayModify({"NoSuchPicture", "Dorvex Zede"});
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("activity")));
    windows.trayModify({"window", "Dorvex Zede"});
    EXPECT_EQ(imageOf(trayIcon()->icon()), imageOf(pictures.icon("window")));
}

TEST_F(Tray, MouseCodesGoToTheWindowLoadedFirst) {
    windows.trayAdd({"activate", "Dorvex Zede"});
    emit trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    emit trayIcon()->activated(QSystemTrayIcon::Trigger);
    emit trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    emit trayIcon()->activated(QSystemTrayIcon::Context);
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
