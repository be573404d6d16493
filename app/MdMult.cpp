#include "app/MdMult.h"

#include "app/Program.h"

namespace dorvex {

bool MdMult::Check_PrevInstance(std::string_view name, bool release) {
    NamedMutexes& mutexes = program_.platform.mutexes;
    if (MutexHandle != 0 && release) {
        mutexes.close(MutexHandle);
        MutexHandle = 0;
        return false;
    }
    if (MutexHandle == 0) {
        const MutexCreation created = mutexes.create(name);
        MutexHandle = created.handle;
        if (created.handle != 0 && created.alreadyExists) {
            mutexes.close(MutexHandle);
            MutexHandle = 0;
            return true;
        }
    }
    return false;
}

} // namespace dorvex
