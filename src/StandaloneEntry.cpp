// The standalone app's main(): JUCE's own standalone app, started only when there is a display
// to show it on. Without one, JUCE's standalone window takes the primary display to place
// itself, finds none and crashes (after probing JACK); checking before JUCE starts gives one
// clear message instead. JUCE_USE_CUSTOM_PLUGIN_STANDALONE_ENTRYPOINT leaves main() to this file.

#include <juce_events/juce_events.h>

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

// Defined by JUCE's standalone wrapper: creates its StandaloneFilterApp.
juce::JUCEApplicationBase* juce_CreateApplication();

namespace
{
// JUCE draws through X11 only (a Wayland desktop offers it through XWayland's DISPLAY), so a
// usable display is a DISPLAY that Xlib can open.
bool canOpenDisplay()
{
    const char* name = std::getenv ("DISPLAY");
    if (name == nullptr || *name == '\0')
        return false;

    auto* display = XOpenDisplay (name);
    if (display == nullptr)
        return false;

    XCloseDisplay (display);
    return true;
}
} // namespace

int main (int argc, char* argv[])
{
    if (! canOpenDisplay())
    {
        std::fputs ("LUMIVOX: no display available (DISPLAY is not set or cannot be opened); "
                    "the standalone app needs a desktop\n",
                    stderr);
        return 1;
    }

    juce::JUCEApplicationBase::createInstance = &juce_CreateApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
