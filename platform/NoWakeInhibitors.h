#pragma once

#include "platform/WakeInhibitors.h"

namespace dorvex {

// For a system where no service tells of programs that keep the machine awake.
class NoWakeInhibitors : public WakeInhibitors {
public:
    std::optional<WakeInhibitor> holder() override { return std::nullopt; }
};

} // namespace dorvex
