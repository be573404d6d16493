#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

// What a download control tells the window that holds it.
class UrlGetEvents {
public:
    virtual ~UrlGetEvents() = default;
    // The download finished and the control's Bytes holds nBytes bytes.
    virtual void DownloadComplete(std::int32_t nBytes) = 0;
    virtual void DownloadFailed(std::int32_t ErrNum, const std::string& ErrDesc) = 0;
    // Part of the data has arrived; Bytes holds it.
    virtual void DownloadProgress(std::int32_t nBytes) = 0;
};

} // namespace dorvex
