#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

TEST(FileChecks, MissingDataFolderEndsBeforeAnythingIsLogged) {
    Simulation sim({.dataFolder = false});
    EXPECT_EQ(sim.messages(),
              (std::vector{ShownMessage{
                  "Dorvex Zede Data Directory Error",
                  "The Data directory does not exist.\r\nTo restore the Data directory\r\n"
                  "reinstall the program.\r\nThe program will now terminate.",
                  MessageIcon::Stop}}));
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_EQ(sim.fake().windows.trayRequests(), Strings{"delete (failed)"});
    EXPECT_FALSE(fs::exists(sim.folder() / "Log" / "DorvexL.log"));
    EXPECT_EQ(sim.fake().priority.processRaises, 0) << "the end comes before the switch is read";
}

TEST(FileChecks, ProgramErrorMessageShowsTheNumberAndGoesOn) {
    Simulation sim;
    sim.program().dispatch(
        [&] { sim.program().fileChecks.ProgramErrorMessage(-2147219925, "Something broke"); });
    EXPECT_EQ(
        sim.messages(),
        (std::vector{ShownMessage{"Dorvex Zede Error",
                                  "A program error has occured\r\nError Number: -2147219925\r\n"
                                  "Error description: Something broke",
                                  MessageIcon::None}}));
    EXPECT_FALSE(sim.ended());
}

} // namespace
} // namespace dorvex::test
