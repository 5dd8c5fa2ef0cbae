/* Adds a pointer device to the compositor's seat, prints "ready" and keeps
 * it there until a signal ends the program: a headless compositor has none,
 * and without one its cursor commands move a pointer no client hears of. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>

#include "virtual-pointer-client-protocol.h"

static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "virtual_pointer: no Wayland compositor\n");
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "virtual_pointer: the compositor has no virtual pointers\n");
        return 1;
    }
    /* A null seat is the compositor's default one. */
    zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);
    while (wl_display_dispatch(display) != -1)
        ;
    return 0;
}
