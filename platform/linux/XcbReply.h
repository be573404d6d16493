#pragma once

#include <cstdlib>
#include <memory>

namespace dorvex {

// Replies and events are XCB's to allocate and ours to free.
struct FreeXcbReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeXcbReply>;

} // namespace dorvex
