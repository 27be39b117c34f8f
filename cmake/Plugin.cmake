# The product code as one static library per layer, each linking only the layers below it:
# DSP (src/modules) <- engine <- presets <- editor. The renderer, the benchmarks and the
# engine's tests link no editor. The preset browser is the one view kept beside its model in
# src/presets; it belongs to the editor's library. tests/layers checks the includes.
set(LUMIVOX_LAYERS dsp engine presets editor)
set(LUMIVOX_LAYER_FOLDERS modules engine presets editor)
set(LUMIVOX_EDITOR_UNITS_ELSEWHERE "presets/PresetBrowser")

foreach(layer folder IN ZIP_LISTS LUMIVOX_LAYERS LUMIVOX_LAYER_FOLDERS)
    file(GLOB lumivox_${layer}_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp")
endforeach()
foreach(unit IN LISTS LUMIVOX_EDITOR_UNITS_ELSEWHERE)
    list(REMOVE_ITEM lumivox_presets_sources "${CMAKE_SOURCE_DIR}/src/${unit}.cpp")
    list(APPEND lumivox_editor_sources "${CMAKE_SOURCE_DIR}/src/${unit}.cpp")
endforeach()

# Pictures compiled in (BinaryData::LumivoxLogo_png); tools/logo/make-logo.sh draws the logo.
juce_add_binary_data(lumivox_binary_data
    HEADER_NAME BinaryData.h
    NAMESPACE BinaryData
    SOURCES "${CMAKE_SOURCE_DIR}/resources/LumivoxLogo.png")

configure_file("${CMAKE_SOURCE_DIR}/cmake/ProductVersion.h.in" "${CMAKE_BINARY_DIR}/generated/ProductVersion.h" @ONLY)

set(lumivox_below lumivox_juce)
foreach(layer IN LISTS LUMIVOX_LAYERS)
    add_library(lumivox_${layer} STATIC ${lumivox_${layer}_sources})
    target_include_directories(lumivox_${layer} PUBLIC "${CMAKE_SOURCE_DIR}/src" "${CMAKE_BINARY_DIR}/generated")
    target_link_libraries(lumivox_${layer} PUBLIC ${lumivox_below})
    set_target_properties(lumivox_${layer} PROPERTIES
        VISIBILITY_INLINES_HIDDEN TRUE
        CXX_VISIBILITY_PRESET hidden)
    set(lumivox_below lumivox_${layer})
endforeach()
target_link_libraries(lumivox_editor PUBLIC lumivox_binary_data)
# The DSP never reads errno or the floating-point exception flags: without them a square
# root is one instruction, and loops with clamps and comparisons (the drive's curves) are
# allowed to vectorise. The values computed are the same.
target_compile_options(lumivox_dsp PRIVATE -fno-math-errno -fno-trapping-math)
# The editor reads Xft.dpi from the X resources for its automatic zoom.
find_package(X11 REQUIRED)
target_link_libraries(lumivox_editor PRIVATE X11::X11)

set(LUMIVOX_LV2_URI "https://lumivox.audio/plugins/lumivox")

juce_add_plugin(LUMIVOX
    PRODUCT_NAME "LUMIVOX"
    COMPANY_NAME "LUMIVOX"
    COMPANY_WEBSITE "https://lumivox.audio"
    COMPANY_EMAIL "authors@lumivox.audio"
    BUNDLE_ID "audio.lumivox.lumivox"
    PLUGIN_MANUFACTURER_CODE Lmvx
    PLUGIN_CODE Lmvx
    FORMATS VST3 LV2 Standalone
    LV2URI "${LUMIVOX_LV2_URI}"
    IS_SYNTH FALSE
    NEEDS_MIDI_INPUT FALSE
    NEEDS_MIDI_OUTPUT FALSE
    IS_MIDI_EFFECT FALSE
    EDITOR_WANTS_KEYBOARD_FOCUS FALSE
    COPY_PLUGIN_AFTER_BUILD FALSE
    VST3_CATEGORIES Fx
    DESCRIPTION "Creative multi-effect")

# Debian's JUCE falls back to the product name as the LV2 URI before it reads the generated
# definition; an explicit one keeps the plug-in's URI the https:// one.
target_compile_definitions(LUMIVOX_LV2 PRIVATE JucePlugin_LV2URI="${LUMIVOX_LV2_URI}")
# After JUCE's helper has written the bundle's description: JUCE 7.0.5 gives choice parameters
# normalised scale point values and the maintainer a bare e-mail address.
add_custom_command(TARGET LUMIVOX_LV2 POST_BUILD
    COMMAND python3 "${CMAKE_SOURCE_DIR}/tools/lv2/fix-description.py" "$<TARGET_FILE_DIR:LUMIVOX_LV2>/dsp.ttl"
    VERBATIM)

target_sources(LUMIVOX PRIVATE "${CMAKE_SOURCE_DIR}/src/PluginEntry.cpp")
target_link_libraries(LUMIVOX PRIVATE lumivox_editor)
# The statically linked FFTW stays private to each plug-in binary, away from a host's own FFTW.
target_link_options(LUMIVOX INTERFACE "LINKER:--exclude-libs,libfftw3f.a")

# The standalone app's own main() refuses to start without a display, where JUCE's standalone
# window would crash; it then starts JUCE's standalone app unchanged.
target_sources(LUMIVOX_Standalone PRIVATE "${CMAKE_SOURCE_DIR}/src/StandaloneEntry.cpp")
target_compile_definitions(LUMIVOX_Standalone PRIVATE JUCE_USE_CUSTOM_PLUGIN_STANDALONE_ENTRYPOINT=1)
target_link_libraries(LUMIVOX_Standalone PRIVATE X11::X11)

# Sanitized plug-ins take the sanitizer's runtime from the host that loads them, which the
# framework's --no-undefined would refuse at link time.
if(LUMIVOX_SANITIZE)
    foreach(format VST3 LV2)
        target_link_options(LUMIVOX_${format} PRIVATE "-Wl,-z,undefs")
    endforeach()
endif()

# Stable locations for the artefacts, whatever JUCE's own folder layout is.
set(LUMIVOX_ARTEFACTS "${CMAKE_BINARY_DIR}/LUMIVOX_artefacts/${CMAKE_BUILD_TYPE}")
add_custom_target(lumivox_links ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory "${LUMIVOX_BIN_DIR}" "${LUMIVOX_PLUGIN_DIR}"
    COMMAND ${CMAKE_COMMAND} -E create_symlink "$<TARGET_FILE:LUMIVOX_Standalone>" "${LUMIVOX_BIN_DIR}/LUMIVOX"
    COMMAND ${CMAKE_COMMAND} -E create_symlink "${LUMIVOX_ARTEFACTS}/VST3/LUMIVOX.vst3" "${LUMIVOX_PLUGIN_DIR}/LUMIVOX.vst3"
    COMMAND ${CMAKE_COMMAND} -E create_symlink "${LUMIVOX_ARTEFACTS}/LV2/LUMIVOX.lv2" "${LUMIVOX_PLUGIN_DIR}/LUMIVOX.lv2"
    DEPENDS LUMIVOX_Standalone LUMIVOX_VST3 LUMIVOX_LV2
    VERBATIM)
