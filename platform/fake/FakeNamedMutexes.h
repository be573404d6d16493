#pragma once

#include "platform/NamedMutexes.h"

#include <map>
#include <string>
#include <vector>

namespace dorvex {

// The named mutexes of one logon session, shared by the fake processes of a test.
class FakeMutexRegistry {
public:
    MutexCreation create(std::string_view name);
    void close(KernelHandle handle);
    bool exists(std::string_view name) const;

    bool failCreation = false; // every creation fails, as if the system refused

private:
    std::map<std::string, int, std::less<>> handleCounts_;
    std::map<KernelHandle, std::string> names_;
    KernelHandle nextHandle_ = 0x100;
};

// One process's view of the registry; its handles go when the process ends.
class FakeNamedMutexes : public NamedMutexes {
public:
    explicit FakeNamedMutexes(FakeMutexRegistry& registry) : registry_(registry) {}

    MutexCreation create(std::string_view name) override;
    void close(KernelHandle handle) override;
    // What the system does when the process ends.
    void closeAll();
    std::size_t openHandles() const { return handles_.size(); }

private:
    FakeMutexRegistry& registry_;
    std::vector<KernelHandle> handles_;
};

} // namespace dorvex
