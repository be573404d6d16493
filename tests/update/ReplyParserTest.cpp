#include "update/ReplyParser.h"
#include "update/VersionNumber.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex::test {
namespace {

std::string tagged(const std::string& name, const std::string& value) {
    return "<" + name + ">" + value + "</" + name + ">";
}

TEST(ReplyParser, EachMissingTagIsCountedAndReadsError) {
    const UpdateReply complete{
        "Contact value", "Download value", "History value",   "KIssues value",  "Index value",
        "Message value", "Name value",     "Uninstall value", "Version1 value", "Version2 value"};
    std::string document;
    for (const char* name : {"Contact", "Name", "Version1", "Version2", "Download", "History",
                             "KIssues", "Index", "Message", "Uninstall"}) {
        document += tagged(name, name + std::string(" value"));
    }
    EXPECT_EQ(parseReply(document).ErrorCount, 0);
    EXPECT_EQ(parseReply(document).reply, complete);
    for (std::string UpdateReply::*field :
         {&UpdateReply::Contact, &UpdateReply::Download, &UpdateReply::History,
          &UpdateReply::KIssues, &UpdateReply::Index, &UpdateReply::Message, &UpdateReply::Name,
          &UpdateReply::Uninstall, &UpdateReply::Version1, &UpdateReply::Version2}) {
        const std::string name = (complete.*field).substr(0, (complete.*field).find(' '));
        UpdateReply expected = complete;
        expected.*field = "Error";
        for (const std::string& cut : {"<" + name + ">", "</" + name + ">"}) {
            std::string text = document;
            text.erase(text.find(cut), cut.size());
            EXPECT_EQ(parseReply(text).ErrorCount, 1) << "without " << cut;
            EXPECT_EQ(parseReply(text).reply, expected) << "without " << cut;
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

} // namespace
} // namespace dorvex::test
