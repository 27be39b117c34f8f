#pragma once

// Tempo and position of one sub-block, as the host reported them.
struct ProcessContext
{
    double sampleRate = 44100.0;
    double bpm = 120.0;         // always within 20 ... 400
    double ppqPosition = 0.0;   // quarter notes at the sub-block's first sample, within -1e9 ... 1e9
    bool isPlaying = false;
    bool hasPpqPosition = false;
};
