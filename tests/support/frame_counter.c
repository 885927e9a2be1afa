/* Test-only: counts the frames a GLUT program shows. Preloaded, it stands in
 * for glutSwapBuffers and glXCopySubBufferMESA (which shows a frame while
 * keeping the back buffer), passes each call on, and after every frame writes the
 * count, the time since the first frame and the monotonic clock's reading at
 * the first frame (for start-up times) to the file named by
 * CUBRAVA_FRAME_COUNT_FILE, so a test can wait for a frame drawn after
 * something it did. A frame counts once the X server has it, so a screenshot
 * taken after the count shows it. The file is replaced whole: a reader never
 * sees half of it. */

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

/* The program's display connection, synchronised: GL and X are loaded in
 * every GLUT program, so they are looked up rather than linked. */
static void syncDisplay(void)
{
    static void* (*currentDisplay)(void);
    static int (*sync)(void*, int);
    if (!currentDisplay) {
        currentDisplay = (void* (*)(void))dlsym(RTLD_DEFAULT, "glXGetCurrentDisplay");
        sync = (int (*)(void*, int))dlsym(RTLD_DEFAULT, "XSync");
    }
    void* display = currentDisplay ? currentDisplay() : NULL;
    if (display && sync)
        sync(display, 0);
}

static void frameShown(void)
{
    static unsigned long frames;
    static double first;
    syncDisplay();
    const double now = seconds();
    if (frames++ == 0)
        first = now;
    const char* name = getenv("CUBRAVA_FRAME_COUNT_FILE");
    if (!name)
        return;
    char temporary[4096];
    if (snprintf(temporary, sizeof temporary, "%s.new", name) >= (int)sizeof temporary)
        return;
    FILE* out = fopen(temporary, "w");
    if (!out)
        return;
    fprintf(out, "%lu %.3f %.6f\n", frames, now - first, first);
    if (fclose(out) == 0)
        rename(temporary, name);
}

void glutSwapBuffers(void)
{
    static void (*next)(void);
    if (!next)
        next = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    next();
    frameShown();
}

void glXCopySubBufferMESA(void* display, unsigned long drawable, int x, int y, int width, int height)
{
    static void (*next)(void*, unsigned long, int, int, int, int);
    if (!next)
        next = (void (*)(void*, unsigned long, int, int, int, int))dlsym(RTLD_NEXT, "glXCopySubBufferMESA");
    next(display, drawable, x, y, width, height);
    frameShown();
}
