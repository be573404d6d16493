#include "platform/UrlReader.h"
#include "ui/SitePageAddress.h"
#include "ui/WebAddress.h"
#include "update/ReplyParser.h"
#include "update/UpdaterLogBlocks.h"
#include "update/VersionNumber.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dorvex::test {
namespace {

std::string tagged(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

TEST(ReplyParser, EachMissingTagIsCountedAndReadsError) {
    UpdateReply complete;
    std::string document;
    for (const auto& [name, field] : replyTags) {
        complete.*field = std::string(name) + " value";
        document += tagged(std::string(name), complete.*field);
    }
    EXPECT_EQ(parseReply(document).ErrorCount, 0);
    EXPECT_EQ(parseReply(document).reply, complete);
    UpdateReply expected = complete;
    expected.KIssues = "Error";
    for (const std::string cut : {"<KIssues>", "</KIssues>"}) {
        std::string text = document;
        text.erase(text.find(cut), cut.size());
        EXPECT_EQ(parseReply(text).ErrorCount, 1) << "without " << cut;
        EXPECT_EQ(parseReply(text).reply, expected) << "without " << cut;
    }
}

TEST(ReplyParser, PartialReplies) {
    const struct {
        std::string text;
        std::string name, index;
        int errors;
    } cases[] = {
        {tagged("Name", "first") + tagged("Name", "second") + "<Index>a</Index></Index>", "first",
         "a", 8},
        {"</Name>x<Name>Dorvex Zede</Name>" + tagged("Index", "index.htm"), "Error", "index.htm",
         9},
        {"<name>x</name>" + tagged("Index", ""), "Error", "", 9},
        {"", "Error", "Error", 10},
    };
    for (const auto& c : cases) {
        const ParsedReply parsed = parseReply(c.text);
        EXPECT_EQ(parsed.reply.Name, c.name) << c.text;
        EXPECT_EQ(parsed.reply.Index, c.index) << c.text;
        EXPECT_EQ(parsed.ErrorCount, c.errors) << c.text;
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        found.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return found;
}

// A server's reply cannot add lines to Updater.log nor make a check take much room in it.
TEST(UpdaterLogBlocks, ValuesAreCutAndStrippedOfControlCharactersAndTheReplyOfAllButLineBreaks) {
    UpdateReply reply;
    for (const auto& [name, field] : replyTags) {
        reply.*field = std::string(name) + " value";
    }
    const std::string forged = "\r\nError Count  :  0\r\n";
    reply.Name = "Dorvex\tZede" + forged + std::string{'\0', '\x1b', '\x7f'};
    reply.Message = std::string(100'000, 'm') + forged;
    reply.Uninstall = "Error";
    const std::vector<std::string> block = lines(replyDataBlock(reply, 1));
    ASSERT_EQ(block.size(), 16u) << "heading, dashes, eleven values, two empty lines and the end";
    EXPECT_EQ(block[2], "Program Name :  DorvexZedeError Count  :  0");
    EXPECT_EQ(block[3], "Major Version:  Version1 value");
    EXPECT_EQ(block[10], "Message      :  " + std::string(MaxLoggedValueLength, 'm'));
    EXPECT_EQ(block[11], "Uninstall    :  Error");
    EXPECT_EQ(block[12], "Error Count  :  1");

    // The reply keeps its line breaks and tabs, inside it and at its ends, up to its length.
    using namespace std::string_literals;
    const std::string document = "\t<Name>a\0b\x01\x1f\x7f</Name>\r\n<Index>i</Index>\n"s;
    EXPECT_EQ(replyBlock("  " + document + "  "), "\t<Name>ab</Name>\r\n<Index>i</Index>\n\r\n");
    EXPECT_EQ(replyBlock(std::string(MaxUrlReadBytes, 'x')),
              std::string(MaxLoggedReplyLength, 'x') + "\r\n");
}

// A version is one decimal number, not a list of parts: 5.10 is 5.1.
TEST(VersionNumber, ReadsTheLeadingDecimalNumber) {
    const std::pair<const char*, double> cases[] = {
        {"5.5.0.0", 5.5},   {"5.6.0.0", 5.6}, {"5.10.0.0", 5.1},      {"10.0.0.0", 10.0},
        {" 5 . 6", 5.6},    {"\t5\n.6", 5.6}, {"\r\n5.6\r\n.0", 5.6}, {"5..6", 5.0},
        {"5.6beta.0", 5.6}, {".5", 0.5},      {"v5.6", 0.0},          {"", 0.0},
        {".", 0.0},         {"-5.6", 0.0}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(leadingDecimalNumber(text), value) << '"' << text << '"';
    }
}

const std::string root = "http://kemtora.example/";

TEST(SitePageAddress, RelativePagesGoBelowTheRootPercentEncoded) {
    const struct {
        std::string page;
        std::string address;
    } cases[] = {
        {"", "http://kemtora.example/"},
        {"index.htm", "http://kemtora.example/index.htm"},
        {"download.asp?prog=dz&ver=5.6", "http://kemtora.example/download.asp?prog=dz&ver=5.6"},
        {"dorvex zede.zip", "http://kemtora.example/dorvex%20zede.zip"},
        {"a\"b<c>#d%e", "http://kemtora.example/a%22b%3Cc%3E%23d%25e"},
        {"%2e%2e/x", "http://kemtora.example/%252e%252e/x"}, // no encoded way out
        {"caf\xc3\xa9.htm", "http://kemtora.example/caf%C3%A9.htm"},
        {"a..b/..c", "http://kemtora.example/a..b/..c"},
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
