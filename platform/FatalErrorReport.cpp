#include "platform/FatalErrorReport.h"

#include "platform/DisplayProbe.h"
#include "platform/MessageBox.h"
#include "platform/SplashWindow.h"

#include <cstdio>

namespace cubrava {

void reportFatalError(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (!displayAvailable())
        return;
    // The splash stays on top of everything and would hide the box.
    closeSplash();
    showMessage("Bad News...", text, MessageIcon::Error);
}

} // namespace cubrava
