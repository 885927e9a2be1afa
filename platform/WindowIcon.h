#pragma once

class Fl_Window;
struct _XDisplay;

namespace cubrava {

// Gives a toolkit window the program's icon, in every size a window manager
// may want; call it before the window is shown.
void setWindowIcon(Fl_Window& window);

// Gives an X window the icon (its _NET_WM_ICON), through the connection that
// created the window: a GLUT window right after it is made, for instance.
void setWindowIcon(_XDisplay* display, unsigned long window);

} // namespace cubrava
