// SPDX-License-Identifier: MIT
// A bare X client for the display tests: a window with exactly the properties asked for
// (xterm always sets WM_CLASS), and a report of the buttons pressed on it.
//
//   brindlemoor_test_window --title T [--class C --instance I] [--gtk-app-id ID]
//                           [--transient-for WINDOW] [--report-buttons]
//
// A line "class INSTANCE CLASS" on standard input sets WM_CLASS anew, as applications do once they are up.

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

void setText(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const std::string& text)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 8, static_cast<uint32_t>(text.size()),
                        text.data());
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    std::string title = "test window";
    std::string windowClass;
    std::string instance;
    std::string gtkAppId;
    xcb_window_t transientFor = XCB_WINDOW_NONE;
    bool reportButtons = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--report-buttons") {
            reportButtons = true;
            continue;
        }
        ++i;
        if (option == "--title")
            title = value;
        else if (option == "--class")
            windowClass = value;
        else if (option == "--instance")
            instance = value;
        else if (option == "--gtk-app-id")
            gtkAppId = value;
        else if (option == "--transient-for")
            transientFor = static_cast<xcb_window_t>(std::strtoul(value, nullptr, 0));
        else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        std::fprintf(stderr, "cannot connect to the X display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, 320, 240, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
                      values);
    setText(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title);
    setText(c, window, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), title);
    // Input hint set, as every real client has it: the window manager may give it the focus.
    const uint32_t hints[9] = {1 /* InputHint */, 1};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
    if (!windowClass.empty() || !instance.empty())
        setText(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, instance + '\0' + windowClass + '\0');
    if (!gtkAppId.empty())
        setText(c, window, atom(c, "_GTK_APPLICATION_ID"), atom(c, "UTF8_STRING"), gtkAppId);
    if (transientFor != XCB_WINDOW_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                            &transientFor);
    xcb_map_window(c, window);
    xcb_flush(c);

    pollfd sources[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    std::string input;
    while (xcb_connection_has_error(c) == 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7f) == XCB_BUTTON_PRESS && reportButtons) {
                const auto* press = reinterpret_cast<const xcb_button_press_event_t*>(event);
                std::printf("button %u\n", static_cast<unsigned>(press->detail));
                std::fflush(stdout);
            }
            std::free(event);
        }
        if (poll(sources, 2, -1) < 0)
            break;
        if (sources[1].revents == 0)
            continue;
        char bytes[256];
        const ssize_t count = read(STDIN_FILENO, bytes, sizeof bytes);
        if (count <= 0) {
            sources[1].fd = -1; // end of input: the window stays
            continue;
        }
        input.append(bytes, static_cast<size_t>(count));
        for (size_t end; (end = input.find('\n')) != std::string::npos; input.erase(0, end + 1)) {
            std::istringstream line(input.substr(0, end));
            std::string command;
            line >> command >> instance >> windowClass;
            if (command == "class")
                setText(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, instance + '\0' + windowClass + '\0');
        }
        xcb_flush(c);
    }
    xcb_disconnect(c);
    return 0;
}
