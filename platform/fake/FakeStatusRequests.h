#pragma once

#include "platform/StatusRequests.h"

#include <optional>

namespace dorvex {

// Keeps the report being served, so that a test can ask for it as another process would.
class FakeStatusRequests : public StatusRequests {
public:
    void serve(std::function<std::string()> report) override { report_ = std::move(report); }
    // The answer to a request now; none while nothing is served.
    std::optional<std::string> ask() const {
        return report_ ? std::optional(report_()) : std::nullopt;
    }

private:
    std::function<std::string()> report_;
};

} // namespace dorvex
