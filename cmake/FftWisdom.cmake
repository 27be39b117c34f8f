# FFTW's plans for the formant's transforms, chosen once while building and loaded by every
# process (src/modules/FftWisdom.h) rather than searched for again at each start.
if(LUMIVOX_FFT_ENGINE STREQUAL "fftw")
    add_executable(lumivox_fft_wisdom "${CMAKE_SOURCE_DIR}/tools/fft-wisdom/RecordFftWisdom.cpp"
        "${CMAKE_SOURCE_DIR}/src/modules/FormantTransforms.cpp" "${CMAKE_SOURCE_DIR}/src/modules/FftWisdom.cpp")
    target_compile_definitions(lumivox_fft_wisdom PRIVATE LUMIVOX_FFTW_WISDOM=1)
    target_include_directories(lumivox_fft_wisdom PRIVATE "${CMAKE_SOURCE_DIR}/src" "${LUMIVOX_FFTW_INCLUDE}")
    target_link_libraries(lumivox_fft_wisdom PRIVATE lumivox_juce)

    set(LUMIVOX_FFT_WISDOM "${CMAKE_BINARY_DIR}/generated/FftWisdomRecorded.cpp")
    add_custom_command(OUTPUT "${LUMIVOX_FFT_WISDOM}"
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 "$<TARGET_FILE:lumivox_fft_wisdom>" "${LUMIVOX_FFT_WISDOM}"
        DEPENDS lumivox_fft_wisdom
        COMMENT "Recording FFTW's plans for the formant's transforms"
        VERBATIM)
    target_sources(lumivox_dsp PRIVATE "${LUMIVOX_FFT_WISDOM}")
    # Public, so that the tests can compare the recorded plans with freshly searched ones.
    target_compile_definitions(lumivox_dsp PUBLIC LUMIVOX_FFTW_WISDOM=1)
    target_include_directories(lumivox_dsp PUBLIC "${LUMIVOX_FFTW_INCLUDE}")
endif()
