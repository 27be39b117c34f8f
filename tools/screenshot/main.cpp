// lumivox-screenshot: renders the editor into PNG files (default folder docs/screenshots).
#include "EditorScreenshots.h"

class ScreenshotApplication final : public juce::JUCEApplicationBase
{
public:
    const juce::String getApplicationName() override { return "lumivox-screenshot"; }
    const juce::String getApplicationVersion() override { return "1"; }
    bool moreThanOneInstanceAllowed() override { return true; }
    void anotherInstanceStarted (const juce::String&) override {}
    void suspended() override {}
    void resumed() override {}
    void systemRequestedQuit() override { quit(); }
    void unhandledException (const std::exception*, const juce::String&, int) override { setApplicationReturnValue (1); }

    void initialise (const juce::String& commandLine) override
    {
        const auto args = juce::StringArray::fromTokens (commandLine, true);
        const auto folder = args.isEmpty() ? juce::File::getCurrentWorkingDirectory().getChildFile ("docs/screenshots")
                                           : juce::File::getCurrentWorkingDirectory().getChildFile (args[0].unquoted());
        screenshots = std::make_unique<EditorScreenshots> (EditorScreenshots::defaultScenes(), folder);
        screenshots->onFinished = [this] (int written, int failed)
        {
            std::cout << written << " screenshots written, " << failed << " failed" << std::endl;
            setApplicationReturnValue (failed == 0 ? 0 : 1);
            quit();
        };
        screenshots->start();
    }

    void shutdown() override { screenshots.reset(); }

private:
    std::unique_ptr<EditorScreenshots> screenshots;
};

START_JUCE_APPLICATION (ScreenshotApplication)
