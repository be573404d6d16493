#include "platform/fake/FakeNamedMutexes.h"

#include <algorithm>

namespace dorvex {

MutexCreation FakeMutexRegistry::create(std::string_view name) {
    if (failCreation) {
        return {};
    }
    auto [it, inserted] = handleCounts_.try_emplace(std::string(name), 0);
    ++it->second;
    const KernelHandle handle = nextHandle_++;
    names_[handle] = std::string(name);
    return {handle, !inserted};
}

void FakeMutexRegistry::close(KernelHandle handle) {
    const auto named = names_.find(handle);
    if (named == names_.end()) {
        return;
    }
    const auto count = handleCounts_.find(named->second);
    if (--count->second == 0) {
        handleCounts_.erase(count);
    }
    names_.erase(named);
}

bool FakeMutexRegistry::exists(std::string_view name) const {
    return handleCounts_.find(name) != handleCounts_.end();
}

MutexCreation FakeNamedMutexes::create(std::string_view name) {
    const MutexCreation created = registry_.create(name);
    if (created.handle != 0) {
        handles_.push_back(created.handle);
    }
    return created;
}

void FakeNamedMutexes::close(KernelHandle handle) {
    const auto it = std::ranges::find(handles_, handle);
    if (it != handles_.end()) {
        handles_.erase(it);
        registry_.close(handle);
    }
}

void FakeNamedMutexes::closeAll() {
    for (const KernelHandle handle : handles_) {
        registry_.close(handle);
    }
    handles_.clear();
}

} // namespace dorvex
