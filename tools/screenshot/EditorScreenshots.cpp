#include "EditorScreenshots.h"

#include "TestLoop.h"
#include "engine/EffectCatalogue.h"
#include "presets/FactoryLibrary.h"

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 1600; // one editor frame of audio at 30 Hz
constexpr int ticksPerScene = 15;

const std::pair<int, int> windowSizes[] = { { 800, 520 }, { 920, 580 }, { 1080, 680 }, { 1220, 760 }, { 1400, 880 } };

juce::String sizeName (int w, int h) { return juce::String (w) + "x" + juce::String (h); }
} // namespace

std::vector<EditorScreenshots::Scene> EditorScreenshots::defaultScenes()
{
    std::vector<Scene> scenes;
    for (const auto& [w, h] : windowSizes)
        scenes.push_back ({ "fresh-" + sizeName (w, h) + ".png", {}, w, h, nullptr });
    for (const auto& [w, h] : windowSizes)
        scenes.push_back ({ "neon-orbit-" + sizeName (w, h) + ".png", "NEON ORBIT", w, h, nullptr });
    scenes.push_back ({ "preset-browser-920x580.png", "NEON ORBIT", 920, 580,
                        [] (LUMIVOXAudioProcessorEditor& e) { e.openPresetBrowser(); } });

    const auto fullRack = [] (LUMIVOXAudioProcessorEditor& e)
    {
        for (const auto& effect : EffectCatalogue::entries)
            e.insertFx (effect.id);
    };
    scenes.push_back ({ "rack-full-start-1220x760.png", {}, 1220, 760, [fullRack] (LUMIVOXAudioProcessorEditor& e)
                        {
                            fullRack (e);
                            e.rackViewport.setViewPosition (0, 0);
                        } });
    scenes.push_back ({ "rack-full-end-1220x760.png", {}, 1220, 760, fullRack });
    scenes.push_back ({ "effect-browser-920x580.png", {}, 920, 580,
                        [] (LUMIVOXAudioProcessorEditor& e) { e.showAddFxMenu(); } });
    scenes.push_back ({ "modulation-matrix-920x580.png", "NEON ORBIT", 920, 580, [] (LUMIVOXAudioProcessorEditor& e)
                        {
                            auto& routes = e.modulationPanel.routes;
                            const int settings[3][3] = { { 2, 4, 0 }, { 3, 21, 0 }, { 5, 25, 0 } };
                            for (int r = 0; r < 3; ++r)
                            {
                                routes[(size_t) r].sourceBox.setSelectedId (settings[r][0], juce::sendNotificationSync);
                                routes[(size_t) r].destinationBox.setSelectedId (settings[r][1], juce::sendNotificationSync);
                            }
                            routes[0].depthSlider.setValue (45.0);
                            routes[1].depthSlider.setValue (-30.0);
                            routes[2].depthSlider.setValue (70.0);
                            e.openModulationPanel();
                        } });
    for (int page = 0; page < LumivoxMenuPanel::numPages; ++page)
    {
        const juce::String names[] = { "banks", "settings", "about", "help" };
        scenes.push_back ({ "menu-" + names[page] + "-920x580.png", {}, 920, 580, [page] (LUMIVOXAudioProcessorEditor& e)
                            {
                                e.openMenuPanel();
                                e.menuPanel.select (page);
                            } });
    }

    // The same editor at 200 %: every scene above whose file names a 920 x 580 window, and
    // the smallest and largest windows, drawn at twice the pixels.
    std::vector<Scene> zoomed;
    for (const auto& scene : scenes)
        if (scene.fileName.contains ("920x580") || scene.fileName.startsWith ("neon-orbit-800x520")
            || scene.fileName.startsWith ("neon-orbit-1400x880"))
        {
            auto z = scene;
            z.fileName = scene.fileName.upToLastOccurrenceOf (".png", false, false) + "-200.png";
            z.zoom = 200;
            zoomed.push_back (std::move (z));
        }
    scenes.insert (scenes.end(), zoomed.begin(), zoomed.end());
    return scenes;
}

EditorScreenshots::EditorScreenshots (std::vector<Scene> s, juce::File folder)
    : scenes (std::move (s)), outputFolder (std::move (folder)), loop (TestLoop::make (sampleRate, 4.0)),
      block (2, blockSize)
{
}

EditorScreenshots::~EditorScreenshots()
{
    stopTimer();
    closeScene();
}

void EditorScreenshots::start()
{
    outputFolder.createDirectory();
    openScene();
    startTimerHz (30);
}

void EditorScreenshots::openScene()
{
    const auto& scene = scenes[sceneIndex];
    processor = std::make_unique<LUMIVOXAudioProcessor>();
    processor->prepareToPlay (sampleRate, blockSize);
    editor = std::make_unique<LUMIVOXAudioProcessorEditor> (*processor);
    if (scene.preset.isNotEmpty())
        editor->presetBrowser.load (FactoryLibrary::indexOf (scene.preset));
    editor->setZoom (scene.zoom);
    editor->setSize (juce::roundToInt (scene.width * scene.zoom / 100.0), juce::roundToInt (scene.height * scene.zoom / 100.0));
    // On the desktop, as in a host, so call-out boxes and the keyboard focus behave as there.
    editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
    editor->setVisible (true);
    if (scene.setup != nullptr)
        scene.setup (*editor);
    ticks = 0;
    loopPosition = 0;
}

void EditorScreenshots::closeScene()
{
    editor.reset();
    if (processor != nullptr)
        processor->releaseResources();
    processor.reset();
}

void EditorScreenshots::timerCallback()
{
    // Plays on the message thread: this tool has no audio device.
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < blockSize; ++i)
            block.setSample (ch, i, loop.getSample (ch, (loopPosition + i) % loop.getNumSamples()));
    loopPosition = (loopPosition + blockSize) % loop.getNumSamples();
    juce::MidiBuffer midi;
    processor->processBlock (block, midi);

    if (++ticks < ticksPerScene)
        return;

    writeSnapshot() ? ++written : ++failed;
    closeScene();
    if (++sceneIndex < scenes.size())
    {
        openScene();
        return;
    }
    stopTimer();
    if (onFinished != nullptr)
        onFinished (written, failed);
}

bool EditorScreenshots::writeSnapshot()
{
    const auto image = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
    const auto file = outputFolder.getChildFile (scenes[sceneIndex].fileName);
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    const bool ok = out.openedOk() && png.writeImageToStream (image, out);
    std::cout << (ok ? "wrote " : "FAILED ") << file.getFullPathName() << std::endl;
    return ok;
}
