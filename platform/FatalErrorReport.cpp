#include "platform/FatalErrorReport.h"

#include "data/FatalError.h"
#include "platform/DisplayProbe.h"
#include "platform/MessageBox.h"
#include "platform/SplashWindow.h"

#include <cstdio>

namespace cubrava {

const char* const UnknownErrorMessage = "There was an unknown error during the game.\n"
                                        "You may want to reinstall the game before playing again.";

std::string fatalErrorText(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const FatalError& e) {
        return e.what();
    } catch (...) {
        return UnknownErrorMessage;
    }
}

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
