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

# FFT engine behind juce::dsp::FFT, which the formant shifter runs several times per hop.
# FFTW, linked in statically so that the plug-in needs no FFTW at run time, measures
# faster than the framework's own engine; "fallback" keeps the framework's engine.
set(LUMIVOX_FFT_ENGINE "fftw" CACHE STRING "FFT engine: fftw (static FFTW) or fallback")
set_property(CACHE LUMIVOX_FFT_ENGINE PROPERTY STRINGS fftw fallback)
if(LUMIVOX_FFT_ENGINE STREQUAL "fftw")
    find_path(LUMIVOX_FFTW_INCLUDE fftw3.h REQUIRED)
    find_library(LUMIVOX_FFTW_STATIC NAMES libfftw3f.a REQUIRED)
    get_target_property(lumivox_dsp_sources juce_dsp INTERFACE_JUCE_MODULE_SOURCES)
    set_source_files_properties(${lumivox_dsp_sources} TARGET_DIRECTORY lumivox_juce
        PROPERTIES COMPILE_DEFINITIONS JUCE_DSP_USE_STATIC_FFTW=1)
    target_link_libraries(lumivox_juce PUBLIC "${LUMIVOX_FFTW_STATIC}")
elseif(NOT LUMIVOX_FFT_ENGINE STREQUAL "fallback")
    message(FATAL_ERROR "LUMIVOX_FFT_ENGINE must be fftw or fallback, not ${LUMIVOX_FFT_ENGINE}")
endif()

# The standalone app shows up in JACK patchbays as "LUMIVOX" rather than the framework's
# "JUCEJack" (the library is compiled once, without a plug-in name).
get_target_property(lumivox_devices_sources juce_audio_devices INTERFACE_JUCE_MODULE_SOURCES)
set_source_files_properties(${lumivox_devices_sources} TARGET_DIRECTORY lumivox_juce
    PROPERTIES COMPILE_DEFINITIONS JUCE_JACK_CLIENT_NAME="LUMIVOX")

# Under ./lumivox test --asan the framework keeps AddressSanitizer but not the undefined-
# behaviour checks: its own GIF decoder (the built-in dragging-hand cursor) and the LV2 SDK's
# serd trip them inside the framework, where this project cannot mend them.
if(LUMIVOX_SANITIZE STREQUAL "address")
    target_compile_options(lumivox_juce PRIVATE -fno-sanitize=undefined)
endif()
