#include "bench/ReferenceSample.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <xcb/xcb.h>

static xcb_connection_t* connection;
static xcb_window_t root;
static int stat_file = -1;

int reference_sample_open(void) {
    int screen = 0;
    connection = xcb_connect(NULL, &screen);
    if (xcb_connection_has_error(connection)) {
        return 0;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screen > 0 && screens.rem > 1; --screen) {
        xcb_screen_next(&screens);
    }
    root = screens.data->root;
    stat_file = open("/proc/stat", O_RDONLY | O_CLOEXEC);
    return stat_file >= 0;
}

void reference_sample_take(void) {
    char buffer[1024];
    if (pread(stat_file, buffer, sizeof buffer, 0) <= 0) {
        abort();
    }
    const xcb_query_keymap_cookie_t keymap = xcb_query_keymap(connection);
    const xcb_query_pointer_cookie_t pointer = xcb_query_pointer(connection, root);
    free(xcb_query_keymap_reply(connection, keymap, NULL));
    free(xcb_query_pointer_reply(connection, pointer, NULL));
}
