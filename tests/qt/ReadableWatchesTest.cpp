#include "platform/qt/QtReadableWatches.h"
#include "tests/qt/QtTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace dorvex::test {
namespace {

// A descriptor is called back while it has something to read, and no more once unwatched, even
// from within its own callback and with bytes left unread.
TEST(QtReadableWatches, CallBackWhileThereIsSomethingToReadUntilUnwatched) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    QtReadableWatches watches;
    int calls = 0;
    watches.watch(ends[0], [&] {
        char byte = 0;
        EXPECT_EQ(::read(ends[0], &byte, 1), 1);
        if (++calls == 2) {
            watches.unwatch(ends[0]);
        }
    });
    QTest::qWait(100);
    EXPECT_EQ(calls, 0) << "nothing to read";
    ASSERT_EQ(::write(ends[1], "abc", 3), 3);
    EXPECT_TRUE(waitFor([&] { return calls == 2; }));
    QTest::qWait(100);
    EXPECT_EQ(calls, 2) << "called back once unwatched";
    ::close(ends[0]); // as a lost connection's is, once unwatched
    QTest::qWait(100);
    EXPECT_EQ(calls, 2);
    ::close(ends[1]);
}

} // namespace
} // namespace dorvex::test
