// Keeps the compositor in $WAYLAND_DISPLAY awake, as a film player does: a window of its own with
// an idle inhibitor on it (compositors honour those of visible windows alone). Says "inhibiting"
// once the compositor has taken it, and holds it until it is killed.
#include "idle-inhibit-unstable-v1-client.h"
#include "xdg-shell-client.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace {

wl_compositor* compositor = nullptr;
wl_shm* shm = nullptr;
xdg_wm_base* shell = nullptr;
zwp_idle_inhibit_manager_v1* inhibitors = nullptr;
bool configured = false;

void bind(void*, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
    const auto take = [&](const wl_interface& wanted, auto*& bound) {
        if (std::strcmp(interface, wanted.name) == 0) {
            bound = static_cast<std::remove_reference_t<decltype(bound)>>(
                wl_registry_bind(registry, name, &wanted, 1));
        }
    };
    take(wl_compositor_interface, compositor);
    take(wl_shm_interface, shm);
    take(xdg_wm_base_interface, shell);
    take(zwp_idle_inhibit_manager_v1_interface, inhibitors);
}

// An opaque square the compositor can show.
wl_buffer* blackSquare() {
    constexpr int side = 64;
    const int file = memfd_create("idle-inhibitor", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, side * side * 4) != 0) {
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, side * side * 4);
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, side, side, side * 4, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(file);
    return buffer;
}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    static const wl_registry_listener globals{&bind, [](void*, wl_registry*, std::uint32_t) {}};
    if (display == nullptr ||
        wl_registry_add_listener(wl_display_get_registry(display), &globals, nullptr) != 0 ||
        wl_display_roundtrip(display) < 0 || !compositor || !shm || !shell || !inhibitors) {
        return 1;
    }
    static const xdg_wm_base_listener pong{
        [](void*, xdg_wm_base* pinged, std::uint32_t serial) { xdg_wm_base_pong(pinged, serial); }};
    xdg_wm_base_add_listener(shell, &pong, nullptr);
    wl_surface* surface = wl_compositor_create_surface(compositor);
    xdg_surface* window = xdg_wm_base_get_xdg_surface(shell, surface);
    static const xdg_surface_listener acknowledge{
        [](void*, xdg_surface* shown, std::uint32_t serial) {
            xdg_surface_ack_configure(shown, serial);
            configured = true;
        }};
    xdg_surface_add_listener(window, &acknowledge, nullptr);
    xdg_surface_get_toplevel(window);
    wl_surface_commit(surface);
    while (!configured && wl_display_dispatch(display) >= 0) {
    }
    wl_surface_attach(surface, blackSquare(), 0, 0);
    zwp_idle_inhibit_manager_v1_create_inhibitor(inhibitors, surface);
    wl_surface_commit(surface);
    if (!configured || wl_display_roundtrip(display) < 0) {
        return 1;
    }
    std::puts("inhibiting");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
