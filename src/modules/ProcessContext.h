#pragma once

// Tempo and musical position of one sub-block, as the tempo clock gives them.
struct ProcessContext
{
    double sampleRate = 44100.0;
    double bpm = 120.0;       // always within 20 ... 400
    double ppqPosition = 0.0; // quarter notes at the sub-block's first sample; continuous unless the host relocates
    bool isPlaying = false;   // the host's transport rolls, so the position follows its grid

    double beatsPerSample (double rate) const noexcept { return bpm / 60.0 / rate; }
};
