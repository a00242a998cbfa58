// wl_click X Y WIDTH HEIGHT
// Clicks the left button at X, Y of a WIDTH x HEIGHT output layout through
// the compositor's virtual pointer, as a mouse would: headless sway has none.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/input-event-codes.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

wl_seat* seat = nullptr;
zwlr_virtual_pointer_manager_v1* manager = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat == nullptr)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}
void GlobalRemoved(void*, wl_registry*, uint32_t) {}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: wl_click X Y WIDTH HEIGHT\n");
        return 2;
    }
    const auto value = [argv](int i) { return static_cast<uint32_t>(std::atoi(argv[i])); };
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr)
        return 1;
    const wl_registry_listener listener{Global, GlobalRemoved};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, nullptr);
    wl_display_roundtrip(display);
    if (seat == nullptr || manager == nullptr)
        return 1;
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    // The seat now has a pointer; its clients take theirs before it moves.
    usleep(500 * 1000);
    zwlr_virtual_pointer_v1_motion_absolute(pointer, 0, value(1), value(2), value(3), value(4));
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, 1, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, 2, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    usleep(200 * 1000);
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
