#pragma once

#include <filesystem>
#include <string_view>

namespace dorvex {

// The steps whose safe form differs between systems; one source file per system, chosen in CMake.
// Each throws FileError when it fails.

// Makes an empty file; fails when something of that name exists.
void createNew(const std::filesystem::path& file);
// Adds the text to the end of the existing file in one write, or nothing of it.
void appendWhole(const std::filesystem::path& file, std::string_view text);
// Puts the text in place of the file's content in one step: readers see the old or the new,
// whenever the process is stopped.
void replaceWhole(const std::filesystem::path& file, std::string_view text);
// Removes what replacements of the file that were stopped halfway left beside it. Never throws.
void removeLeftovers(const std::filesystem::path& file);

} // namespace dorvex
