#include "update/ReplyParser.h"
#include "update/VersionNumber.h"

#include <cmath>
#include <cstdlib>
#include <string>

// The update server's reply: every value found stands between its own tags in the reply, and
// the offered version reads as a finite number of at least 0.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvex;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParsedReply parsed = parseReply(text);
    const UpdateReply& r = parsed.reply;
    for (const auto& [name, field] : replyTags) {
        const std::string value = r.*field;
        const std::string tagged =
            "<" + std::string(name) + ">" + value + "</" + std::string(name) + ">";
        if (value != MissingField && text.find(tagged) == std::string::npos) {
            std::abort();
        }
    }
    const double version = leadingDecimalNumber(r.Version1 + "." + r.Version2);
    if (parsed.ErrorCount < 0 || parsed.ErrorCount > 10 || !std::isfinite(version) || version < 0) {
        std::abort();
    }
    return 0;
}
