#include "platform/sim/SimMixer.h"

#include <cmath>

namespace {

constexpr int T[5] = {1, 2, 3, 4, 0};
constexpr int U[6] = {0, 3, 1, 4, 2, 5};
constexpr uint32_t kItemInputMode = 63;
constexpr uint32_t kItemOutputFirst = 55;
constexpr uint32_t kBitDim = 1u << 24;
constexpr uint32_t kBitMute = 1u << 25;
constexpr uint32_t kBitHardwareLevel = 1u << 27;

double Gain(uint32_t raw) { return std::fmin(double(raw & 0xFFFF) / 32767.0, 1.0); }

}  // namespace

double SimMixer::OutputGain(int r, uint32_t word, double knob)
{
    if (word & kBitMute)
        return 0;
    // The attenuation inverts the program's law: low byte 255 - trunc(255 x level^(1/8)).
    double gain = (word & kBitHardwareLevel) ? knob : std::pow((255.0 - double(word & 0xFF)) / 255.0, 8.0);
    if (r == 0 && (word & kBitDim))
        gain *= kDimGain;
    return gain;
}

void SimMixer::OutputLevels(int r, const ItemReader& item, const double inputs[2], const double playback[5],
                            double knob, double out[2])
{
    const bool stereo = item(kItemInputMode) == 0;
    double played = 0;
    for (int k = 0; k < 5; ++k)
        played += Gain(item((stereo ? 0 : 30) + 5 * T[k] + T[r])) * playback[k];
    double left, right;
    if (stereo) {
        // Unprocessed and processed paths of the pair: input 1 left, input 2 right.
        const double g = Gain(item(25 + T[r])) + Gain(item(25 + 5 + T[r]));
        left = g * inputs[0];
        right = g * inputs[1];
    } else {
        // Unprocessed and processed paths of each mono input, heard on both sides.
        double g[4];
        for (int c = 0; c < 4; ++c)
            g[c] = Gain(item(5 * U[c] + T[r]));
        left = right = (g[0] + g[2]) * inputs[0] + (g[1] + g[3]) * inputs[1];
    }
    const double gain = OutputGain(r, item(kItemOutputFirst + r), knob);
    out[0] = std::fmin((played + left) * gain, 1.0);
    out[1] = std::fmin((played + right) * gain, 1.0);
}
