#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dorvex {

// The values of the update server's reply, one per tag; "Error" where the tag was not found.
struct UpdateReply {
    std::string Contact;
    std::string Download;
    std::string History;
    std::string KIssues;
    std::string Index;
    std::string Message;
    std::string Name;
    std::string Uninstall;
    std::string Version1;
    std::string Version2;

    friend bool operator==(const UpdateReply&, const UpdateReply&) = default;
};

// Each tag of the reply and the field it fills.
struct ReplyTag {
    std::string_view name;
    std::string UpdateReply::*field;
};
inline const std::array<ReplyTag, 10> replyTags{{
    {"Contact", &UpdateReply::Contact},
    {"Name", &UpdateReply::Name},
    {"Version1", &UpdateReply::Version1},
    {"Version2", &UpdateReply::Version2},
    {"Download", &UpdateReply::Download},
    {"History", &UpdateReply::History},
    {"KIssues", &UpdateReply::KIssues},
    {"Index", &UpdateReply::Index},
    {"Message", &UpdateReply::Message},
    {"Uninstall", &UpdateReply::Uninstall},
}};

// A field whose tag was not found.
inline constexpr const char* MissingField = "Error";

} // namespace dorvex
