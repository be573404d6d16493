#include "ui/SitePageAddress.h"
#include "ui/WebAddress.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

// A site root as configured, taken or not, and a page from the network: a root is taken only as
// it stays, and a page's address has the root's scheme, host and port and a path below the
// root's path without a ".." segment; a root that is no web address has no pages.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvex;
    FuzzedDataProvider input(data, size);
    const std::string configured = input.ConsumeRandomLengthString(100);
    const std::optional<std::string> taken = siteRootFrom(configured);
    if (taken && (!taken->ends_with('/') || siteRootFrom(*taken) != taken)) {
        std::abort();
    }
    const std::string root = input.ConsumeBool() ? configured : taken.value_or(configured);
    const std::optional<std::string> page =
        sitePageAddress(root, input.ConsumeRemainingBytesAsString());
    if (!page) {
        return 0;
    }
    const auto rootParts = readWebAddress(root);
    const auto pageParts = readWebAddress(*page);
    const std::string below =
        rootParts ? rootParts->path + (rootParts->path.ends_with('/') ? "" : "/") : "";
    if (!rootParts || !pageParts || pageParts->scheme != rootParts->scheme ||
        pageParts->host != rootParts->host || pageParts->port != rootParts->port ||
        !(pageParts->path + "/").starts_with(below)) {
        std::abort();
    }
    const std::string path = pageParts->path + "/";
    for (std::size_t start = 0, end; (end = path.find('/', start)) != std::string::npos;
         start = end + 1) {
        if (path.compare(start, end - start, "..") == 0) {
            std::abort();
        }
    }
    return 0;
}
