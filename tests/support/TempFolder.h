#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace dorvex::test {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file below the folder, byte for byte.
    void write(std::string_view relative, std::string_view content) const;
    std::string read(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// The whole content of a file, byte for byte; empty when there is none.
std::string readFile(const std::filesystem::path& file);

} // namespace dorvex::test
