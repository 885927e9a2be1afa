// CubravaEditor's entry point. EditorApp runs the program: the splash, the 3D
// view on its thread, the main dialog on this one. --view-only runs the view
// alone on the first level. Fatal errors end in a message box, on standard
// error and with status 1.

#include "EditorApp.h"
#include "ToolkitDesktop.h"
#include "ViewThread.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"
#include "platform/WindowWake.h"

#include <cstring>
#include <iostream>

using namespace cubrava;

int main(int argc, char** argv)
{
    // GLUT on the view thread, the toolkit and wake-ups on this one.
    enableThreadedX();
    if (!displayAvailable()) {
        std::cerr << "CubravaEditor needs an X display, and none could be opened (is DISPLAY set?)." << std::endl;
        return 1;
    }
    const bool viewOnly = argc > 1 && std::strcmp(argv[1], "--view-only") == 0;
    try {
        // In this order: the view thread stops before the desktop, whose relay
        // it reports to, goes.
        ViewThread view;
        ToolkitDesktop desktop;
        EditorApp app(view, desktop);
        return viewOnly ? app.runViewOnly() : app.run();
    } catch (...) {
        reportFatalError(fatalErrorText(std::current_exception()));
        return 1;
    }
}
