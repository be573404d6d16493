#include "platform/fake/FakeUrlReader.h"

#include <stdexcept>

namespace dorvex {

void FakeUrlReader::start(const std::string& key, const std::string& url, int options,
                          UrlReadEvents& events) {
    if (refuseStart) {
        throw std::runtime_error("malformed address");
    }
    reads.push_back({key, url, options, &events, false});
}

void FakeUrlReader::cancel(const std::string& key) {
    for (Read& read : reads) {
        if (read.key == key) {
            read.cancelled = true;
        }
    }
}

FakeUrlReader::Read* FakeUrlReader::running() {
    for (auto it = reads.rbegin(); it != reads.rend(); ++it) {
        if (!it->cancelled && it->events != nullptr) {
            return &*it;
        }
    }
    return nullptr;
}

FakeUrlReader::Read* FakeUrlReader::takeRunning() {
    Read* read = running();
    if (read != nullptr) {
        read->cancelled = true; // answered: no further events
    }
    return read;
}

bool FakeUrlReader::progress(const std::string& data) {
    Read* read = running();
    if (read == nullptr) {
        return false;
    }
    read->events->progress(read->key, data);
    return true;
}

bool FakeUrlReader::complete(const std::string& data) {
    Read* read = takeRunning();
    if (read == nullptr) {
        return false;
    }
    read->events->completed(read->key, data);
    return true;
}

bool FakeUrlReader::fail(std::int32_t number, const std::string& text) {
    Read* read = takeRunning();
    if (read == nullptr) {
        return false;
    }
    read->events->failed(read->key, number, text);
    return true;
}

} // namespace dorvex
