#include "update/ReplyParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex::test {
namespace {

const std::vector<std::string> tags{"Contact", "Name",    "Version1", "Version2", "Download",
                                    "History", "KIssues", "Index",    "Message",  "Uninstall"};

std::string tagged(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

// Every tag with its own name as its value, in the given order.
std::string document(const std::vector<std::string>& order) {
    std::string text;
    for (const std::string& name : order) {
        text += tagged(name, name + " value");
    }
    return text;
}

UpdateReply namedValues() {
    return {"Contact value",  "Download value", "History value", "KIssues value",
            "Index value",    "Message value",  "Name value",    "Uninstall value",
            "Version1 value", "Version2 value"};
}

TEST(ReplyParser, ACompleteReplyGivesEveryValue) {
    const ParsedReply parsed = parseReply(document(tags));
    EXPECT_EQ(parsed.ErrorCount, 0);
    EXPECT_EQ(parsed.reply, namedValues());
}

TEST(ReplyParser, EachMissingTagIsCountedAndReadsError) {
    for (const std::string& missing : tags) {
        for (const std::string& cut : {"<" + missing + ">", "</" + missing + ">"}) {
            std::string text = document(tags);
            text.erase(text.find(cut), cut.size());
            const ParsedReply parsed = parseReply(text);
            EXPECT_EQ(parsed.ErrorCount, 1) << "without " << cut;
            UpdateReply expected = namedValues();
            // The field of the missing tag, found by its value.
            for (std::string* field :
                 {&expected.Contact, &expected.Download, &expected.History, &expected.KIssues,
                  &expected.Index, &expected.Message, &expected.Name, &expected.Uninstall,
                  &expected.Version1, &expected.Version2}) {
                if (*field == missing + " value") {
                    *field = "Error";
                }
            }
            EXPECT_EQ(parsed.reply, expected) << "without " << cut;
        }
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

} // namespace
} // namespace dorvex::test
