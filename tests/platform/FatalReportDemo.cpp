// Fails like the game does at start-up: the error is raised inside the
// splash's start routine and reported by the entry point.
#include "data/FatalError.h"
#include "platform/FatalErrorReport.h"
#include "platform/SplashWindow.h"

#include <cstdio>

using namespace cubrava;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fatal_report_demo TEXT\n");
        return 2;
    }
    try {
        runSplash([&] { throw FatalError(argv[1]); });
    } catch (const FatalError& error) {
        reportFatalError(error.what());
        return 1;
    }
    return 0;
}
