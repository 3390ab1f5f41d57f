// The program's entry point on a desktop: starts the toolkit, puts the real-window backend in
// place and hands over to the application object, as the framework the program was written
// for did. The modal dialog runs from OnRun, so a normal close ends the process with status 0.

#include <X11/Xlib.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>

#include "platform/afx/wx/run_program.h"

namespace {

class ZelvoraApp : public wxApp {
  public:
    // The program takes no command line: skip wx's option parsing.
    bool OnInit() override { return true; }

    int OnRun() override { return afx::wx::RunProgram(); }
};

// Says in one line why no window can open, before the toolkit gets to say it less clearly.
bool DisplayReachable() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (display && *display) {
        // Asking the X server directly leaves the toolkit's own start-up untouched.
        Display* connection = XOpenDisplay(nullptr);
        if (connection) {
            XCloseDisplay(connection);
            return true;
        }
        if (!wayland || !*wayland) {
            std::fprintf(stderr, "zelvora: cannot open a window: cannot open display '%s'\n",
                         display);
            return false;
        }
        return true;
    }
    if (wayland && *wayland) return true;
    std::fputs("zelvora: cannot open a window: no display (DISPLAY is not set)\n", stderr);
    return false;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(ZelvoraApp);

int main(int argc, char** argv) {
    if (!DisplayReachable()) return EXIT_FAILURE;
    return wxEntry(argc, argv);
}
