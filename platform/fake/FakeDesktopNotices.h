#pragma once

#include "platform/DesktopNotices.h"

#include <optional>
#include <string>
#include <vector>

namespace dorvex {

// Records the notices shown and whether one is still shown.
class FakeDesktopNotices : public DesktopNotices {
public:
    void show(const std::string& summary, const std::string& body) override {
        shown.push_back(summary + "\n" + body);
        showing = true;
    }
    void withdraw() override { showing = false; }

    std::vector<std::string> shown; // summary and body of each, a line apart
    bool showing = false;
};

} // namespace dorvex
