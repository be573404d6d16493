#include "platform/linux/KeptOpenFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace dorvex {

std::string_view KeptOpenFile::read(std::span<char> buffer) {
    if (fd_ < 0 && (fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC)) < 0) {
        return {};
    }
    const ssize_t got = ::pread(fd_, buffer.data(), buffer.size(), 0);
    if (got <= 0) {
        close();
        return {};
    }
    return {buffer.data(), static_cast<std::size_t>(got)};
}

void KeptOpenFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace dorvex
