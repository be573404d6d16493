#include "ui/SitePageAddress.h"
#include "ui/WebAddress.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

// A site root from the environment and a page from the network: the root is taken only when it
// stays what it is, and a page's address has the root's scheme, host and port and a path below
// the root's path without a ".." segment.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvex;
    FuzzedDataProvider input(data, size);
    const std::optional<std::string> taken = siteRootFrom(input.ConsumeRandomLengthString(100));
    if (taken && (!taken->ends_with('/') || siteRootFrom(*taken) != taken)) {
        std::abort();
    }
    const std::string root = taken.value_or("http://kemtora.example/");
    const std::optional<std::string> page =
        sitePageAddress(root, input.ConsumeRemainingBytesAsString());
    if (!page) {
        return 0;
    }
    const auto rootParts = readWebAddress(root);
    const auto pageParts = readWebAddress(*page);
    if (!rootParts || !pageParts || pageParts->scheme != rootParts->scheme ||
        pageParts->host != rootParts->host || pageParts->port != rootParts->port ||
        !pageParts->path.starts_with(rootParts->path)) {
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
