#include "update/UrlGet.h"

#include "app/Program.h"

#include <algorithm>
#include <limits>

namespace dorvex {

UrlGet::~UrlGet() {
    // The reader must not call into a control that is gone.
    DownloadCancel();
}

std::string UrlGet::key() const {
    return std::to_string(StartTick_.value_or(0));
}

void UrlGet::DownloadStart(const std::string& URL, std::int32_t Mode) {
    if (URL.empty()) {
        return;
    }
    if (Busy()) {
        DownloadCancel();
    }
    Duration_ = 0;
    StartTick_ = program_.platform.clock.tickCount();
    try {
        program_.platform.urls.start(key(), URL, Mode, *this);
    } catch (const std::exception&) {
        // Left busy: the host's time-out ends the wait.
    }
}

void UrlGet::DownloadCancel() {
    if (Busy()) {
        cancelRead();
        // A late event of the cancelled read no longer matches the current key.
        StartTick_.reset();
    }
}

void UrlGet::cancelRead() {
    try {
        program_.platform.urls.cancel(key());
    } catch (const std::exception&) {
        // Nothing to report: the read is forgotten either way.
    }
}

void UrlGet::finish() {
    // Unsigned difference: right across a wrap of the tick count.
    const std::uint32_t elapsed = program_.platform.clock.tickCount() - *StartTick_;
    Duration_ = static_cast<std::int32_t>(
        std::min<std::uint32_t>(elapsed, std::numeric_limits<std::int32_t>::max()));
    StartTick_.reset();
}

void UrlGet::fail(std::int32_t number, const std::string& text) {
    finish();
    ByteCount_ = 0;
    host_.DownloadFailed(number, text);
}

bool UrlGet::take(const std::string& key, const std::string& data, bool running) {
    if (!current(key)) {
        return false;
    }
    if (data.size() > MaxBytes) {
        if (running) {
            cancelRead();
        }
        fail(TooLargeError, urlReplyTooLargeText());
        return false;
    }
    if (!running) {
        finish();
    }
    Bytes_ = data;
    ByteCount_ = static_cast<std::int32_t>(Bytes_.size());
    return true;
}

void UrlGet::progress(const std::string& key, const std::string& data) {
    program_.dispatch([&] {
        if (take(key, data, true)) {
            host_.DownloadProgress(ByteCount_);
        }
    });
}

void UrlGet::completed(const std::string& key, const std::string& data) {
    program_.dispatch([&] {
        if (take(key, data, false)) {
            host_.DownloadComplete(ByteCount_);
        }
    });
}

void UrlGet::failed(const std::string& key, std::int32_t number, const std::string& text) {
    program_.dispatch([&] {
        if (current(key)) {
            fail(number, text);
        }
    });
}

} // namespace dorvex
