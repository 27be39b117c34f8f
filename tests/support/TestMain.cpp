#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdlib>

// Every test binary runs with HOME, XDG_CONFIG_HOME and XDG_DATA_HOME in a fresh temporary folder,
// so no test can touch the real user's presets or settings.
int main (int argc, char** argv)
{
    char home[] = "/tmp/lumivox-test-home-XXXXXX";
    if (mkdtemp (home) == nullptr)
        return 2;
    const std::string config = std::string (home) + "/.config";
    const std::string data = std::string (home) + "/.local/share";
    setenv ("HOME", home, 1);
    setenv ("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv ("XDG_DATA_HOME", data.c_str(), 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        ::testing::InitGoogleTest (&argc, argv);
        result = RUN_ALL_TESTS();
    }

    juce::File (home).deleteRecursively();
    return result;
}
