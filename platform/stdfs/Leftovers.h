#pragma once

#include <filesystem>

namespace dorvex {

// The new file that a replacement writes beside `file` before it takes the file's place:
// "<name>.new-<process>-<attempt>".
std::filesystem::path temporaryName(const std::filesystem::path& file, unsigned long process,
                                    int attempt);

// Removes the regular files beside `file` that carry the name of its replacements' new files and
// were made by a process that no longer runs: what a replacement killed halfway left. Links,
// folders and any other names stay. Never throws.
void removeLeftoversOf(const std::filesystem::path& file, bool (*processRuns)(unsigned long));

} // namespace dorvex
