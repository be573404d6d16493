/* Waits for a program's icon in the tray and prints the time it appeared, in nanoseconds since
   1970, so that a start-up can be timed without a process started in the wait. It follows the
   windows created on the screen rather than polling; "ready" on the first line says it follows
   them, and the program may start.
   Usage: tray_icon_wait CLASS SECONDS (the instance name in WM_CLASS; gives up after SECONDS). */
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xcb/xcb.h>

static xcb_connection_t* connection;

static long long nanoseconds(clockid_t clock) {
    struct timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

/* A tray icon: mapped with all its ancestors, at most 64 pixels square, of the class. */
static int is_icon(xcb_window_t window, const char* class_name) {
    const xcb_get_window_attributes_cookie_t attributes_asked =
        xcb_get_window_attributes(connection, window);
    const xcb_get_geometry_cookie_t geometry_asked = xcb_get_geometry(connection, window);
    const xcb_get_property_cookie_t class_asked =
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, attributes_asked, NULL);
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection, geometry_asked, NULL);
    xcb_get_property_reply_t* class_property =
        xcb_get_property_reply(connection, class_asked, NULL);
    const size_t length = strlen(class_name);
    const int icon = attributes != NULL && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                     geometry != NULL && geometry->width <= 64 && geometry->height <= 64 &&
                     class_property != NULL &&
                     (size_t)xcb_get_property_value_length(class_property) > length &&
                     memcmp(xcb_get_property_value(class_property), class_name, length + 1) == 0;
    free(attributes);
    free(geometry);
    free(class_property);
    return icon;
}

/* The window an event tells about, once it is followed; 0 for other events. */
static xcb_window_t changed_window(const xcb_generic_event_t* event) {
    switch (event->response_type & 0x7f) {
    case XCB_CREATE_NOTIFY: {
        const xcb_window_t created = ((const xcb_create_notify_event_t*)event)->window;
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection, created, XCB_CW_EVENT_MASK, &mask);
        return created;
    }
    case XCB_MAP_NOTIFY:
        return ((const xcb_map_notify_event_t*)event)->window;
    case XCB_REPARENT_NOTIFY:
        return ((const xcb_reparent_notify_event_t*)event)->window;
    case XCB_CONFIGURE_NOTIFY:
        return ((const xcb_configure_notify_event_t*)event)->window;
    case XCB_PROPERTY_NOTIFY:
        return ((const xcb_property_notify_event_t*)event)->window;
    default:
        return 0;
    }
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: tray_icon_wait CLASS SECONDS\n", stderr);
        return 2;
    }
    int screen = 0;
    connection = xcb_connect(NULL, &screen);
    if (xcb_connection_has_error(connection)) {
        fputs("tray_icon_wait: no X display\n", stderr);
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screen > 0 && screens.rem > 1; --screen) {
        xcb_screen_next(&screens);
    }
    /* Top-level windows are created on the root; each is then followed itself. */
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t selected = xcb_change_window_attributes_checked(
        connection, screens.data->root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_request_check(connection, selected));
    puts("ready");
    fflush(stdout);

    const long long deadline = nanoseconds(CLOCK_MONOTONIC) + atoll(argv[2]) * 1000000000LL;
    struct pollfd input = {xcb_get_file_descriptor(connection), POLLIN, 0};
    while (!xcb_connection_has_error(connection)) {
        xcb_generic_event_t* event;
        while ((event = xcb_poll_for_event(connection)) != NULL) {
            const xcb_window_t window = changed_window(event);
            free(event);
            if (window != 0 && is_icon(window, argv[1])) {
                printf("%lld\n", nanoseconds(CLOCK_REALTIME));
                return 0;
            }
        }
        const long long left = deadline - nanoseconds(CLOCK_MONOTONIC);
        if (left <= 0) {
            break;
        }
        poll(&input, 1, (int)(left / 1000000 + 1));
    }
    fprintf(stderr, "tray_icon_wait: no icon of class %s\n", argv[1]);
    return 1;
}
