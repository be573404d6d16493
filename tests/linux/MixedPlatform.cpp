#include "tests/linux/MixedPlatform.h"

namespace dorvex::test {

Platform mixedPlatform(FakePlatform& fake, RealServices real) {
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
