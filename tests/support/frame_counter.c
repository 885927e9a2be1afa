/* Test-only: counts the frames a GLUT program shows. Preloaded, it stands in
 * for glutSwapBuffers, passes each call on, and keeps the count, the time
 * since the first frame and the monotonic clock's reading at the first frame
 * (for start-up times) in the file named by CUBRAVA_FRAME_COUNT_FILE. */

#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double seconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

void glutSwapBuffers(void)
{
    static void (*next)(void);
    static unsigned long frames;
    static double first, lastWrite;
    if (!next)
        next = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    next();
    const double now = seconds();
    if (frames++ == 0)
        first = now;
    if (now - lastWrite >= 0.2) {
        lastWrite = now;
        const char* name = getenv("CUBRAVA_FRAME_COUNT_FILE");
        FILE* out = name ? fopen(name, "w") : NULL;
        if (out) {
            fprintf(out, "%lu %.3f %.6f\n", frames, now - first, first);
            fclose(out);
        }
    }
}
