/* Test-only: Xvfb has no XFree86-VidMode extension, so GLUT's game mode would
 * fail there. Preloaded, this answers the few VidMode calls GLUT makes with one
 * mode the size of the screen, so the real game-mode path runs under Xvfb. */

#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

#include <stdlib.h>
#include <string.h>

static void fill(Display* display, int screen, unsigned short* width, unsigned short* height, unsigned short* htotal,
    unsigned short* vtotal)
{
    *width = (unsigned short)DisplayWidth(display, screen);
    *height = (unsigned short)DisplayHeight(display, screen);
    *htotal = (unsigned short)(*width + 160);
    *vtotal = (unsigned short)(*height + 40);
}

Bool XF86VidModeQueryExtension(Display* display, int* eventBase, int* errorBase)
{
    (void)display;
    *eventBase = 0;
    *errorBase = 0;
    return True;
}

Bool XF86VidModeGetModeLine(Display* display, int screen, int* dotclock, XF86VidModeModeLine* line)
{
    memset(line, 0, sizeof *line);
    fill(display, screen, &line->hdisplay, &line->vdisplay, &line->htotal, &line->vtotal);
    *dotclock = (line->htotal * line->vtotal * 60) / 1000;
    return True;
}

Bool XF86VidModeGetAllModeLines(Display* display, int screen, int* count, XF86VidModeModeInfo*** modes)
{
    /* One block, as the real library hands it out: the caller frees it once. */
    XF86VidModeModeInfo** list = calloc(1, sizeof(XF86VidModeModeInfo*) + sizeof(XF86VidModeModeInfo));
    if (!list)
        return False;
    XF86VidModeModeInfo* mode = (XF86VidModeModeInfo*)(list + 1);
    fill(display, screen, &mode->hdisplay, &mode->vdisplay, &mode->htotal, &mode->vtotal);
    mode->dotclock = (unsigned)(mode->htotal * mode->vtotal * 60) / 1000;
    list[0] = mode;
    *count = 1;
    *modes = list;
    return True;
}

Bool XF86VidModeGetViewPort(Display* display, int screen, int* x, int* y)
{
    (void)display;
    (void)screen;
    *x = 0;
    *y = 0;
    return True;
}

Bool XF86VidModeSetViewPort(Display* display, int screen, int x, int y)
{
    (void)display;
    (void)screen;
    (void)x;
    (void)y;
    return True;
}

Bool XF86VidModeSwitchToMode(Display* display, int screen, XF86VidModeModeInfo* mode)
{
    (void)display;
    (void)screen;
    (void)mode;
    return True;
}
