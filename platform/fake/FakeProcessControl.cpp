#include "platform/fake/FakeProcessControl.h"

namespace dorvex {

void FakeProcessControl::exit(int status) {
    exitStatus = status;
    if (onExit) {
        onExit();
    }
}

} // namespace dorvex
