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
inline Platform mixedPlatform(FakePlatform& fake, RealServices real) {
    return {fake.clock,
            fake.files,
            real.mutexes != nullptr ? *real.mutexes : fake.mutexes,
            fake.process,
            fake.priority,
            fake.windows,
            fake.systemTimes,
            fake.input,
            real.power != nullptr ? *real.power : fake.power,
            real.accounts != nullptr ? *real.accounts : fake.accounts,
            fake.osVersion,
            fake.urls};
}

} // namespace dorvex::test
