#include "app/SwitchCode.h"

#include <cstdlib>
#include <string_view>

// The argument text: a test switch is a known code and only where the text starts with a
// switch; "-AllowMulti" counts only at its very end.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int16_t code = dorvex::readSwitchCode(text);
    const bool known = code == 0 || code == 1 || code == 2 || (code >= 4 && code <= 9);
    if (!known || (code != 0 && !text.starts_with("-")) ||
        dorvex::allowsMultipleInstances(text) != text.ends_with("-AllowMulti")) {
        std::abort();
    }
    return 0;
}
