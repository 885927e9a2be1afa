// CubravaEditor's entry point. EditorApp runs the program: the splash, the 3D
// view on its thread, the main dialog on this one. --view-only runs the view
// alone on the first level. Fatal errors end in a message box, on standard
// error and with status 1.

#include "data/PlayerFolder.h"
#include "editor/dialog/EditorApp.h"
#include "editor/view/ViewThread.h"
#include "editor/widgets/ToolkitDesktop.h"
#include "platform/CommandLine.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"
#include "platform/WindowWake.h"

#include <iostream>

using namespace cubrava;

namespace {

const ProgramDescription CommandLineHelp { "cubrava-editor", "CubravaEditor, the level editor of Cubrava.",
    { { "view-only", "show the 3D view alone, with the first level" } }, { playerFolderHelp() } };

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(argc, argv, CommandLineHelp, std::cout, std::cerr);
    if (line.exitStatus)
        return *line.exitStatus;
    // GLUT on the view thread, the toolkit and wake-ups on this one.
    enableThreadedX();
    const HeldDisplay display;
    if (!display) {
        std::cerr << "CubravaEditor needs an X display, and none could be opened (is DISPLAY set?)." << std::endl;
        return 1;
    }
    const bool viewOnly = line.has("view-only");
    try {
        // In this order: the view thread stops before the desktop, whose relay
        // it reports to, goes.
        enterPlayerFolder(CUBRAVA_DATA_FROM_PROGRAM);
        ViewThread view;
        ToolkitDesktop desktop;
        EditorApp app(view, desktop);
        return viewOnly ? app.runViewOnly() : app.run();
    } catch (...) {
        reportFatalError(fatalErrorText(std::current_exception()));
        return 1;
    }
}
