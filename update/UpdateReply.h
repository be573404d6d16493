#pragma once

#include <string>

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

// A field whose tag was not found.
inline constexpr const char* MissingField = "Error";

} // namespace dorvex
