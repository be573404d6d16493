#pragma once

#include <span>
#include <string>
#include <string_view>

namespace dorvex {

// A file of the kernel's read once a tick: it stays open and is read again from its start. The
// kernel writes it anew for each read, and opening it every second would cost as much as the
// read itself.
class KeptOpenFile {
public:
    explicit KeptOpenFile(std::string path) : path_(std::move(path)) {}
    ~KeptOpenFile() { close(); }
    KeptOpenFile(const KeptOpenFile&) = delete;
    KeptOpenFile& operator=(const KeptOpenFile&) = delete;

    // What the file holds now, as far as it fits into `buffer`; empty when it cannot be read.
    std::string_view read(std::span<char> buffer);
    // The file is opened afresh at the next read: one that failed, or whose text made no sense.
    void close();

private:
    std::string path_;
    int fd_ = -1;
};

} // namespace dorvex
