/* Prints the X server's current cursor: "WIDTHxHEIGHT XHOT,YHOT". */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <cstdio>

int main(void)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    if (!cursor)
        return 2;
    std::printf("%dx%d %d,%d\n", cursor->width, cursor->height, cursor->xhot, cursor->yhot);
    XFree(cursor);
    XCloseDisplay(display);
    return 0;
}
