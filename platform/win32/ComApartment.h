#pragma once

#include <objbase.h>

namespace dorvex {

// COM on the calling thread in a single-threaded apartment, as a window thread has it, for as
// long as this lives. A thread that has COM already keeps it as it was, in whichever mode.
class ComApartment {
public:
    // S_FALSE too is one more use to end.
    ComApartment() : entered_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (entered_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    // False when the thread had COM in the other mode (RPC_E_CHANGED_MODE): usable as it is.
    const bool entered_;
};

} // namespace dorvex
