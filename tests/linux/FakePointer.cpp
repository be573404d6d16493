// Moves the pointer of the compositor in $WAYLAND_DISPLAY through KWin's fake input; the status
// is 0 once the compositor has taken the request.
#include "fake-input-client.h"

#include <cstdint>
#include <cstring>
#include <wayland-client.h>

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return 1;
    }
    org_kde_kwin_fake_input* fake = nullptr;
    static const wl_registry_listener listener{
        [](void* found, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t /*version*/) {
            if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
                *static_cast<org_kde_kwin_fake_input**>(found) =
                    static_cast<org_kde_kwin_fake_input*>(
                        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1));
            }
        },
        [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &fake);
    int status = 1;
    if (wl_display_roundtrip(display) >= 0 && fake != nullptr) {
        org_kde_kwin_fake_input_authenticate(fake, "dorvexzede tests", "pointer motion");
        org_kde_kwin_fake_input_pointer_motion(fake, wl_fixed_from_int(10), wl_fixed_from_int(10));
        status = wl_display_roundtrip(display) < 0 ? 1 : 0;
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(fake));
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return status;
}
