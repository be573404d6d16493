#pragma once

namespace dorvex {

// Takes a model value into the record of what the native controls show. True when it has to be
// set on the control: it differs, or nothing has been set yet.
template <typename T> bool changed(T& shown, const T& now, bool nothingSetYet) {
    if (!nothingSetYet && shown == now) {
        return false;
    }
    shown = now;
    return true;
}

} // namespace dorvex
