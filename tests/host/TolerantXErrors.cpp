#include <X11/Xlib.h>

// Hosts install an X error handler of their own, as JUCE's standalone apps do. Without one,
// Xlib ends the process on the first error, such as the query for the WM_STATE atom that
// does not exist on a display without a window manager (Xvfb).
namespace
{
int ignoreXError (Display*, XErrorEvent*) { return 0; }

const bool installed = [] {
    XSetErrorHandler (ignoreXError);
    return true;
}();
} // namespace
