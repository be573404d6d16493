#pragma once

#include "platform/FileSystem.h"

#include <filesystem>

namespace dorvex {

// The program's files below a base folder, through std::filesystem and C streams.
class StdFileSystem : public FileSystem {
public:
    explicit StdFileSystem(std::filesystem::path base);

    bool folderExists(std::string_view path) const override;
    bool fileExists(std::string_view path) const override;
    bool folderSearchable(std::string_view path) const override;
    std::vector<std::string> readLines(std::string_view path) const override;
    void createFile(std::string_view path) override;
    void append(std::string_view path, std::string_view text) override;
    void replace(std::string_view path, std::string_view text) override;
    void removeLeftovers(std::string_view path) override;

    // Larger files are not read, nor taken into memory: a text file of the program's is a few
    // hundred bytes, a thousand lines of comments included.
    static constexpr std::uintmax_t maxReadSize = 64u << 10;

private:
    std::filesystem::path resolve(std::string_view path) const;

    std::filesystem::path base_;
};

} // namespace dorvex
