#pragma once
// What the simulated unit's mixer makes of its items: the level of an output pair from the input and
// playback levels, the gain matrices and the output control word.
//
// Items, as the program writes them: item 63 = 1 selects mono inputs (input gains at 5 x U[c] + T[r],
// playback gains at 30 + 5 x T[k] + T[r]), 0 a stereo pair (input gains at 25 + 5 x c + T[r],
// playback gains at 5 x T[k] + T[r]); gains are 0..32767. Output word 55 + r: low byte an
// attenuation, bit 24 dim (output 1&2 only), bit 25 mute, bit 27 level from the front-panel knob.

#include <cstdint>
#include <functional>

class SimMixer {
public:
    // Dim lowers output 1&2 by 20 dB.
    static constexpr double kDimGain = 0.1;

    using ItemReader = std::function<uint32_t(uint32_t item)>;

    // Left and right level (0..1) of output pair r (0 = 1&2 .. 4 = 9&10). inputs: the two inputs;
    // playback: the five playback pairs; knob: the front-panel level knob, 0..1. Reverb sends are
    // not heard.
    static void OutputLevels(int r, const ItemReader& item, const double inputs[2], const double playback[5],
                             double knob, double out[2]);
    // The gain of an output word: mute silences, the hardware level bit takes the knob, otherwise
    // the attenuation in the low byte; dim on output 1&2 on top.
    static double OutputGain(int r, uint32_t word, double knob);
};
