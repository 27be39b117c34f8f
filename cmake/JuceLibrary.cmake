# JUCE is compiled once into this static library; the plug-in formats, the tests,
# the renderer and the benchmarks all link it.
add_library(lumivox_juce STATIC)

target_link_libraries(lumivox_juce
    PRIVATE
        juce::juce_audio_utils
        juce::juce_dsp
    PUBLIC
        PkgConfig::LUMIVOX_CODECS
        juce::juce_recommended_config_flags
        juce::juce_recommended_warning_flags)

target_compile_definitions(lumivox_juce
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_VST3_CAN_REPLACE_VST2=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_JACK=1
        JUCE_ALSA=1
        JUCE_PLUGINHOST_VST3=1
        JUCE_PLUGINHOST_LV2=1
        JUCE_MODAL_LOOPS_PERMITTED=0
        JUCE_STRICT_REFCOUNTEDPOINTER=1
    INTERFACE
        $<TARGET_PROPERTY:lumivox_juce,COMPILE_DEFINITIONS>)

target_include_directories(lumivox_juce
    INTERFACE
        $<TARGET_PROPERTY:lumivox_juce,INCLUDE_DIRECTORIES>)

set_target_properties(lumivox_juce PROPERTIES
    VISIBILITY_INLINES_HIDDEN TRUE
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden)
