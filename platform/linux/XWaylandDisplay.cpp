#include "platform/linux/XWaylandDisplay.h"

#include "platform/linux/XcbReply.h"

#include <cstring>
#include <string_view>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace dorvex {

namespace {

bool hasXWaylandOutput(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection, &xcb_randr_id);
    if (randr == nullptr || randr->present == 0) {
        return false;
    }
    // A client says which version it speaks before anything else.
    xcb_discard_reply(connection, xcb_randr_query_version(connection, 1, 3).sequence);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const XcbReply<xcb_randr_get_screen_resources_current_reply_t> resources(
        xcb_randr_get_screen_resources_current_reply(
            connection, xcb_randr_get_screen_resources_current(connection, root), nullptr));
    if (!resources) {
        return false;
    }
    const xcb_randr_output_t* outputs =
        xcb_randr_get_screen_resources_current_outputs(resources.get());
    const int count = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
    bool found = false;
    for (int output = 0; output < count && !found; ++output) {
        const XcbReply<xcb_randr_get_output_info_reply_t> info(xcb_randr_get_output_info_reply(
            connection,
            xcb_randr_get_output_info(connection, outputs[output], resources->config_timestamp),
            nullptr));
        found =
            info && std::string_view(
                        reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
                        static_cast<std::size_t>(xcb_randr_get_output_info_name_length(info.get())))
                        .starts_with("XWAYLAND");
    }
    return found;
}

} // namespace

bool isXWayland(xcb_connection_t* connection) {
    constexpr const char* name = "XWAYLAND";
    const XcbReply<xcb_query_extension_reply_t> extension(xcb_query_extension_reply(
        connection,
        xcb_query_extension(connection, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return (extension && extension->present != 0) || hasXWaylandOutput(connection);
}

bool displayIsXWayland() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool xwayland = xcb_connection_has_error(connection) == 0 && isXWayland(connection);
    xcb_disconnect(connection);
    return xwayland;
}

} // namespace dorvex
