#include "platform/stdfs/Leftovers.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace dorvex {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view marker = ".new-";

// The number at the front of `text`, which it then drops; nothing when there are no digits.
std::optional<unsigned long> takeNumber(std::string_view& text) {
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{}) {
        return std::nullopt;
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return number;
}

// The process of a new file of `file`'s replacement named `name`; nothing for any other name.
std::optional<unsigned long> maker(const std::string& file, std::string_view name) {
    if (!name.starts_with(file) || !name.substr(file.size()).starts_with(marker)) {
        return std::nullopt;
    }
    name.remove_prefix(file.size() + marker.size());
    const std::optional<unsigned long> process = takeNumber(name);
    if (!process || !name.starts_with('-')) {
        return std::nullopt;
    }
    name.remove_prefix(1);
    return takeNumber(name) && name.empty() ? process : std::nullopt;
}

} // namespace

fs::path temporaryName(const fs::path& file, unsigned long process, int attempt) {
    fs::path name = file;
    name += std::string(marker) + std::to_string(process) + "-" + std::to_string(attempt);
    return name;
}

void removeLeftoversOf(const fs::path& file, bool (*processRuns)(unsigned long)) {
    const std::string own = file.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(file.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        const std::optional<unsigned long> process = maker(own, it->path().filename().string());
        std::error_code unused;
        // The entry's own type: a link is never followed.
        if (process && it->symlink_status(unused).type() == fs::file_type::regular &&
            !processRuns(*process)) {
            fs::remove(it->path(), unused);
        }
    }
}

} // namespace dorvex
