#include "tests/support/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace dorvex::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    // A name no other folder has: create_directory makes it only when it did not exist.
    std::random_device random;
    constexpr int attempts = 100;
    for (int attempt = 0; path_.empty(); ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("dorvex-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
        } else if (attempt == attempts) {
            throw std::runtime_error("cannot make a temporary folder");
        }
    }
    // Open to every user, so that a scenario can run as an unprivileged user.
    fs::permissions(path_, fs::perms::all);
}

TempFolder::~TempFolder() {
    std::error_code error;
    // Undo what a test did to permissions so that everything can go.
    for (auto it = fs::recursive_directory_iterator(path_, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(path_, error);
}

void TempFolder::write(std::string_view relative, std::string_view content) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::string TempFolder::read(std::string_view relative) const {
    return readFile(path_ / relative);
}

std::string readFile(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

} // namespace dorvex::test
