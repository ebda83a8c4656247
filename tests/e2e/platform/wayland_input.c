// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a pointer and a keyboard on a Wayland compositor for the end-to-end
// tests (a headless sway has no input device of its own). Each argument is a
// step, run in order with a pause after each:
//   move X Y      the pointer to (X, Y) of the layout (its size: ZELVARO_INPUT_EXTENT, "WxH")
//   press N       button N pressed (272 left, 273 right: Linux input codes)
//   release N     button N released
//   key [shift+]N key N (a Linux input code) pressed and released, Shift held when asked
//   wait MS       a pause of MS milliseconds
#define _GNU_SOURCE
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* pointers;
static struct zwp_virtual_keyboard_manager_v1* keyboards;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        pointers = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        keyboards = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void pause_ms(struct wl_display* display, int ms)
{
    wl_display_roundtrip(display);
    usleep((useconds_t)ms * 1000);
}

static const char keymap_text[] = "xkb_keymap {\n"
                                  "  xkb_keycodes { include \"evdev+aliases(qwerty)\" };\n"
                                  "  xkb_types { include \"complete\" };\n"
                                  "  xkb_compat { include \"complete\" };\n"
                                  "  xkb_symbols { include \"pc+us+inet(evdev)\" };\n"
                                  "};\n";

static struct zwp_virtual_keyboard_v1* make_keyboard(void)
{
    struct zwp_virtual_keyboard_v1* keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards, seat);
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const size_t size = sizeof keymap_text;
    if (fd < 0 || write(fd, keymap_text, size) != (ssize_t)size) {
        fprintf(stderr, "wayland_input: no keymap\n");
        exit(1);
    }
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
    close(fd);
    return keyboard;
}

int main(int argc, char** argv)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "wayland_input: no compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    static const struct wl_registry_listener listener = {global, global_remove};
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !pointers || !keyboards) {
        fprintf(stderr, "wayland_input: the compositor offers no virtual pointer or keyboard\n");
        return 1;
    }
    unsigned width = 1280, height = 1024;
    const char* extent = getenv("ZELVARO_INPUT_EXTENT");
    if (extent)
        sscanf(extent, "%ux%u", &width, &height);
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointers, seat);
    struct zwp_virtual_keyboard_v1* keyboard = make_keyboard();
    pause_ms(display, 200);  // the seat takes the new devices
    for (int i = 1; i < argc; ++i) {
        const char* step = argv[i];
        if (strcmp(step, "move") == 0 && i + 2 < argc) {
            const unsigned x = (unsigned)atoi(argv[i + 1]), y = (unsigned)atoi(argv[i + 2]);
            i += 2;
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if ((strcmp(step, "press") == 0 || strcmp(step, "release") == 0) && i + 1 < argc) {
            const uint32_t state = step[0] == 'p' ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED;
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), (uint32_t)atoi(argv[++i]), state);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strcmp(step, "key") == 0 && i + 1 < argc) {
            const char* code = argv[++i];
            const int shift = strncmp(code, "shift+", 6) == 0;
            const uint32_t key = (uint32_t)atoi(shift ? code + 6 : code);
            if (shift) {
                zwp_virtual_keyboard_v1_key(keyboard, now_ms(), 42, WL_KEYBOARD_KEY_STATE_PRESSED);
                zwp_virtual_keyboard_v1_modifiers(keyboard, 1, 0, 0, 0);
            }
            zwp_virtual_keyboard_v1_key(keyboard, now_ms(), key, WL_KEYBOARD_KEY_STATE_PRESSED);
            zwp_virtual_keyboard_v1_key(keyboard, now_ms(), key, WL_KEYBOARD_KEY_STATE_RELEASED);
            if (shift) {
                zwp_virtual_keyboard_v1_key(keyboard, now_ms(), 42, WL_KEYBOARD_KEY_STATE_RELEASED);
                zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, 0, 0);
            }
        } else if (strcmp(step, "wait") == 0 && i + 1 < argc) {
            pause_ms(display, atoi(argv[++i]));
            continue;
        } else {
            fprintf(stderr, "wayland_input: cannot read the step \"%s\"\n", step);
            return 2;
        }
        pause_ms(display, 100);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
