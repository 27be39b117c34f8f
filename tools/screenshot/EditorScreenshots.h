#pragma once

#include "editor/LUMIVOXAudioProcessorEditor.h"

#include <functional>
#include <memory>
#include <vector>

// Renders the real editor into PNG files, scene by scene, while the test loop plays through
// the processor so the meters and the shaper show what a musician would see.
class EditorScreenshots final : private juce::Timer
{
public:
    struct Scene
    {
        juce::String fileName;
        juce::String preset; // a factory preset name; empty for a fresh processor
        int width, height; // logical pixels
        std::function<void (LUMIVOXAudioProcessorEditor&)> setup;
        int zoom = 100; // percent
    };

    static std::vector<Scene> defaultScenes();

    EditorScreenshots (std::vector<Scene> scenes, juce::File outputFolder);
    ~EditorScreenshots() override;

    void start();

    // Called with the number of files written and failed once every scene is done.
    std::function<void (int written, int failed)> onFinished;

private:
    void timerCallback() override;
    void openScene();
    void closeScene();
    bool writeSnapshot();

    std::vector<Scene> scenes;
    juce::File outputFolder;
    size_t sceneIndex = 0;
    int ticks = 0, written = 0, failed = 0;
    juce::AudioBuffer<float> loop, block;
    int loopPosition = 0;
    std::unique_ptr<LUMIVOXAudioProcessor> processor;
    std::unique_ptr<LUMIVOXAudioProcessorEditor> editor;
};
