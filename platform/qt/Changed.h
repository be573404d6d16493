#pragma once

namespace dorvex::qt {

// Takes a model value into the record of what the widgets show. True when it has to be set on
// the widget: it differs, or nothing has been set yet.
template <typename T> bool changed(T& shown, const T& now, bool nothingSetYet) {
    if (!nothingSetYet && shown == now) {
        return false;
    }
    shown = now;
    return true;
}

} // namespace dorvex::qt
