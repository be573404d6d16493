#include "ui/SitePageAddress.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

const std::string root = "http://kemtora.example/";

TEST(SitePageAddress, RelativePagesGoBelowTheRootPercentEncoded) {
    const struct {
        std::string page;
        std::string address;
    } cases[] = {
        {"", "http://kemtora.example/"},
        {"index.htm", "http://kemtora.example/index.htm"},
        {"software/dorvex/history.htm", "http://kemtora.example/software/dorvex/history.htm"},
        {"download.asp?prog=dz&ver=5.6", "http://kemtora.example/download.asp?prog=dz&ver=5.6"},
        {"dorvex zede.zip", "http://kemtora.example/dorvex%20zede.zip"},
        {"a\"b<c>#d%e", "http://kemtora.example/a%22b%3Cc%3E%23d%25e"},
        {"%2e%2e/x", "http://kemtora.example/%252e%252e/x"}, // no encoded way out
        {"caf\xc3\xa9.htm", "http://kemtora.example/caf%C3%A9.htm"},
        {"./issues.htm", "http://kemtora.example/./issues.htm"},
        {"a..b/..c", "http://kemtora.example/a..b/..c"},
        {"docs/a:b.htm", "http://kemtora.example/docs/a:b.htm"},
        {"x?back=../y", "http://kemtora.example/x?back=../y"}, // a query is not a path
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sitePageAddress(root, c.page), c.address) << c.page;
    }
}

TEST(SitePageAddress, AnythingThatLeavesTheSiteIsRefused) {
    for (const char* page :
         {"http://elsewhere.example/", "javascript:alert(1)", "file:///etc/passwd",
          "mailto:someone@example.com", "//elsewhere.example/x", "a//b", "/absolute.htm", "..",
          "../x", "a/../../x", "a/..", "a\\b", "\\\\server\\share", "index.htm\r\n", "a\tb",
          "a\x7f"}) {
        EXPECT_EQ(sitePageAddress(root, page), std::nullopt) << page;
    }
    EXPECT_EQ(sitePageAddress(root, std::string{'a', '\0', 'b'}), std::nullopt);
}

} // namespace
} // namespace dorvex::test
