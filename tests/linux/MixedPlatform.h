#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

namespace dorvex::test {

// Real services to put in place of fakes; the ones left empty stay fake.
struct RealServices {
    NamedMutexes* mutexes = nullptr;
    Accounts* accounts = nullptr;
    PowerControl* power = nullptr;
};

// The fake platform with some of its services replaced by real ones.
Platform mixedPlatform(FakePlatform& fake, RealServices real);

} // namespace dorvex::test
