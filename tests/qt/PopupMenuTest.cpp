#include "tests/qt/QtTestSupport.h"

#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// What the open popup menu shows: visible captions in order, "-" for separators, "(disabled)"
std::vector<std::string> describe(const QMenu& menu) {
    std::vector<std::string> items;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() && action->isVisible()) {
            items.emplace_back("-");
        } else if (action->isVisible()) {
            items.push_back(action->text().toStdString() +
                            (action->isEnabled() ? "" : " (disabled)"));
        }
    }
    return items;
}

class PopupMenu : public LoadedWindow {
protected:
    // Opens the menu; `choose` acts on it while it is open.
    std::string open(std::function<void(QMenu&)> choose) {
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            shown = describe(*menu);
            choose(*menu);
        });
        return windows.popupMenu(model);
    }

    std::vector<std::string> shown;
};

TEST_F(PopupMenu, ShowsTheModelsVisibleItemsEachTimeAndReturnsTheChosenName) {
    model.menu = {{"mPopUpAbout", "About Dorvex Zede"}, {"mPopUpLine1", "-"},
                  {"mPopUpCancel", "Cancel", false},    {"mPopUpReset", "Reset"},
                  {"mPopUpTest", "Test", true, false},  {"mPopUpLine2", "-"},
                  {"mPopUpExit", "Close Dorvex Zede"}};
    load();
    EXPECT_EQ(open([](QMenu& menu) { menu.close(); }), "");
    EXPECT_EQ(shown, (std::vector<std::string>{"About Dorvex Zede", "-", "Reset", "Test (disabled)",
                                               "-", "Close Dorvex Zede"}));

    const std::string chosen = open([](QMenu& menu) {
        for (QAction* action : menu.actions()) {
            if (action->text() == "Reset") {
                menu.setActiveAction(action);
            }
        }
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, "mPopUpReset");
    EXPECT_TRUE(events.events.empty());

    model.findMenuItem("mPopUpCancel")->visible = true;
    model.findMenuItem("mPopUpReset")->visible = false;
    model.findMenuItem("mPopUpExit")->enabled = false;
    open([](QMenu& menu) { menu.close(); });
    EXPECT_EQ(shown,
              (std::vector<std::string>{"About Dorvex Zede", "-", "Cancel", "Test (disabled)", "-",
                                        "Close Dorvex Zede (disabled)"}));
}

} // namespace
} // namespace dorvex::test
