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

TEST(ReplyParser, OrderNestingAndSurroundingTextDoNotMatter) {
    const std::vector<std::string> reversed(tags.rbegin(), tags.rend());
    const std::string wrapped =
        "<?xml version=\"1.0\"?>\r\n<update server=\"a\">\r\n  <Extra>x</Extra>" +
        document(reversed) + "trailing text</update>";
    const ParsedReply parsed = parseReply(wrapped);
    EXPECT_EQ(parsed.ErrorCount, 0);
    EXPECT_EQ(parsed.reply, namedValues());
}

TEST(ReplyParser, ValuesAreTakenVerbatim) {
    const std::string text = tagged("Name", "  Dorvex Zede  ") +
                             tagged("Message", "line one\r\nline <b>two</b>\t") +
                             tagged("Uninstall", " Yes");
    const ParsedReply parsed = parseReply(text);
    EXPECT_EQ(parsed.reply.Name, "  Dorvex Zede  ");
    EXPECT_EQ(parsed.reply.Message, "line one\r\nline <b>two</b>\t");
    EXPECT_EQ(parsed.reply.Uninstall, " Yes");
    EXPECT_EQ(parsed.ErrorCount, 7);
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

TEST(ReplyParser, TheFirstOccurrenceOfEachTagCounts) {
    const ParsedReply parsed =
        parseReply(tagged("Name", "first") + tagged("Name", "second") + "<Index>a</Index></Index>");
    EXPECT_EQ(parsed.reply.Name, "first");
    EXPECT_EQ(parsed.reply.Index, "a");
}

TEST(ReplyParser, AClosingTagBeforeItsOpeningTagIsNotFound) {
    const ParsedReply parsed =
        parseReply("</Name>x<Name>Dorvex Zede</Name>" + tagged("Index", "index.htm"));
    EXPECT_EQ(parsed.reply.Name, "Error");
    EXPECT_EQ(parsed.reply.Index, "index.htm");
    EXPECT_EQ(parsed.ErrorCount, 9);
}

TEST(ReplyParser, TagsAreCaseSensitiveAndAnEmptyValueIsFound) {
    const ParsedReply parsed = parseReply("<name>x</name>" + tagged("Index", ""));
    EXPECT_EQ(parsed.reply.Name, "Error");
    EXPECT_EQ(parsed.reply.Index, "");
    EXPECT_EQ(parsed.ErrorCount, 9);
}

TEST(ReplyParser, NothingFoundInAnEmptyReply) {
    const ParsedReply parsed = parseReply("");
    EXPECT_EQ(parsed.ErrorCount, 10);
    EXPECT_EQ(parsed.reply.Contact, "Error");
    EXPECT_EQ(parsed.reply.Version2, "Error");
}

} // namespace
} // namespace dorvex::test
