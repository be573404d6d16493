#include "ui/SitePageAddress.h"
#include "ui/WebAddress.h"

#include <gtest/gtest.h>

#include <sstream>

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
    const std::string refused[] = {
        "http://elsewhere.example/",
        "javascript:alert(1)",
        "file:///etc/passwd",
        "mailto:someone@example.com",
        "//elsewhere.example/x",
        "a//b",
        "/absolute.htm",
        "..",
        "../x",
        "a/../../x",
        "a/..",
        "a\\b",
        "\\\\server\\share",
        "index.htm\r\n",
        "a\tb",
        std::string("a\0b", 3),
        "a\x7f",
    };
    for (const std::string& page : refused) {
        EXPECT_EQ(sitePageAddress(root, page), std::nullopt) << page;
    }
}

TEST(SitePageAddress, TheBuiltAddressStaysBelowTheRoot) {
    const struct {
        std::string root;
        std::string page;
        std::optional<std::string> address;
    } cases[] = {
        {"http://kemtora.example", "@evil.example/x", std::nullopt},
        {"http://kemtora.example", ".evil.example/x", std::nullopt},
        {"http://127.0.0.1:18431", "software/x", std::nullopt},
        {"http://kemtora.example/dz", "x.htm", std::nullopt},
        {"http://kemtora.example/dz/", "x.htm", "http://kemtora.example/dz/x.htm"},
        {"HTTPS://Kemtora.Example:8443/", "", "HTTPS://Kemtora.Example:8443/"},
        {"ftp://kemtora.example/", "x", std::nullopt},
        {"http://me@kemtora.example/", "x", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sitePageAddress(c.root, c.page), c.address) << c.root << " " << c.page;
    }
}

TEST(SiteRoot, AConfiguredRootIsCheckedOnceAndGetsItsClosingSlash) {
    const struct {
        const char* configured;
        std::string root;
    } cases[] = {
        {nullptr, root},
        {"http://127.0.0.1:18431", "http://127.0.0.1:18431/"},
        {"https://kemtora.example/dz", "https://kemtora.example/dz/"},
        {"http://[::1]:8080/", "http://[::1]:8080/"},
        {"http://user@kemtora.example/", root},
        {"ftp://kemtora.example/", root},
        {"http:///x", root},
        {"http://kemtora.example:0/", root},
        {"http://kemtora.example:99999/", root},
        {"http://kemtora.example/?q=1", root},
        {"http://kemtora.example/a/%2E%2e/", root},
        {"http://kemtora.example/a b/", root},
        {"kemtora.example", root},
    };
    for (const auto& c : cases) {
        std::string siteRoot = root;
        std::ostringstream errors;
        useSiteRoot(siteRoot, c.configured, errors);
        EXPECT_EQ(siteRoot, c.root) << (c.configured ? c.configured : "(none)");
        const bool refused = c.configured != nullptr && c.root == root;
        EXPECT_EQ(errors.str().find("is not an http or https address") != std::string::npos,
                  refused)
            << errors.str();
    }
}

} // namespace
} // namespace dorvex::test
