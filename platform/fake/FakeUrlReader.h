#pragma once

#include "platform/UrlReader.h"

#include <string>
#include <vector>

namespace dorvex {

// Records the reads the program starts; the test answers them.
class FakeUrlReader : public UrlReader {
public:
    struct Read {
        std::string key;
        std::string url;
        int options = 0;
        UrlReadEvents* events = nullptr;
        bool cancelled = false;
    };

    void start(const std::string& key, const std::string& url, int options,
               UrlReadEvents& events) override;
    void cancel(const std::string& key) override;

    // The newest read that is neither cancelled nor answered, or nullptr.
    Read* running();
    // Answers the running read; returns false when there is none.
    bool progress(const std::string& data);
    bool complete(const std::string& data);
    bool fail(std::int32_t number, const std::string& text);

    std::vector<Read> reads;  // every read started, in order
    bool refuseStart = false; // starting throws, as for a malformed address

private:
    Read* takeRunning();
};

} // namespace dorvex
