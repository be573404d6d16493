#pragma once

#include "platform/StatusRequests.h"

namespace dorvex {

// For a system whose program cannot be asked yet: a request there finds no instance.
class NoStatusRequests : public StatusRequests {
public:
    void serve(std::function<std::string()> /*report*/) override {}
};

} // namespace dorvex
