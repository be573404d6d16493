#include "platform/linux/PosixAccounts.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <grp.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace dorvex {

namespace {

constexpr std::array<std::string_view, 3> administratorGroups{"sudo", "wheel", "admin"};
// A group with thousands of members needs a large buffer for its member list.
constexpr std::size_t largestGroupEntry = 1 << 20;

std::string groupName(gid_t id) {
    std::vector<char> buffer(1024);
    while (true) {
        group entry{};
        group* found = nullptr;
        const int error = ::getgrgid_r(id, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < largestGroupEntry) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        return error == 0 && found != nullptr ? std::string(found->gr_name) : std::string();
    }
}

std::vector<gid_t> processGroups() {
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    const int got = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(got, 0)));
    groups.push_back(::getegid());
    return groups;
}

} // namespace

bool PosixAccounts::userIsAdministrator() {
    if (::geteuid() == 0) {
        return true;
    }
    return std::ranges::any_of(processGroups(), [](gid_t id) {
        return std::ranges::find(administratorGroups, groupName(id)) != administratorGroups.end();
    });
}

} // namespace dorvex
