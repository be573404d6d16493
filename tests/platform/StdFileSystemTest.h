#pragma once

#include "platform/stdfs/StdFileSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex::test {

// A file system over a fresh temporary folder.
class StdFileSystemTest : public testing::Test {
protected:
    using Lines = std::vector<std::string>;

    TempFolder folder;
    StdFileSystem files{folder.path()};
};

} // namespace dorvex::test
