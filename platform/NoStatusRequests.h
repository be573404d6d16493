#pragma once

#include "platform/StatusRequests.h"

namespace dorvex {

// For a system where the program answers no status requests yet: nobody finds it to ask.
class NoStatusRequests : public StatusRequests {
public:
    void serve(std::function<std::string()> /*report*/) override {}
};

} // namespace dorvex
