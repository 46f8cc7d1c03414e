// Designs every EQ band type over a sweep of frequencies, gains, Qs and the six sample rates, and
// prints the designs per second of each type (design, scaling and the write into a writer block)
// and the largest pole radius met, with the design where it was met.
//
//   bench_eq_design [repeats]     (default 20 passes over the sweep)

#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/EqBand.h"

namespace {

const float kRates[] = {44100, 48000, 88200, 96000, 176400, 192000};
// The shelves and the analog bell get the EQ knobs' ranges (gain -18..18 dB, Q 0.667..4, and Q 0.4
// of the amp simulator's high band); the low-pass, high-pass and bell get what the amp simulator
// asks of them too (-32..48 dB, Q 0.3..6).
const std::vector<float> kEqGains = {-18, -12, -6, -1, 0, 1, 6, 12, 18};
const std::vector<float> kEqQs = {0.4f, 0.667f, 1, 2, 4};
const std::vector<float> kDirectGains = {-32, -18, -12, -6, -1, 0, 1, 6, 12, 18, 24, 36, 48};
const std::vector<float> kDirectQs = {0.3f, 0.4f, 0.667f, 0.707107f, 1, 2, 4, 6};
const char* const kTypeNames[] = {"analog bell", "analog high shelf", "low shelf", "low-pass",
                                  "high-pass", "bell"};

// Frequencies from 20 Hz to 0.49 of the rate, a twelfth of an octave apart.
std::vector<float> Frequencies(float rate)
{
    std::vector<float> f;
    for (double hz = 20.0; hz < 0.49 * rate; hz *= std::pow(2.0, 1.0 / 12.0))
        f.push_back(float(hz));
    return f;
}

// Largest pole radius of the band's denominator (a0 implied 1 for the low- and high-pass).
double PoleRadius(const EqBand& band)
{
    double scale = std::ldexp(1.0, band.shift);
    double a0 = (band.type == EqBand::kLowPass || band.type == EqBand::kHighPass)
                    ? 1.0
                    : band.a[0] * scale;
    double a1 = band.a[1] * scale / a0;
    double a2 = band.a[2] * scale / a0;
    std::complex<double> disc = std::sqrt(std::complex<double>(a1 * a1 - 4.0 * a2));
    double r1 = std::abs((-a1 + disc) / 2.0);
    double r2 = std::abs((-a1 - disc) / 2.0);
    return std::max(r1, r2);
}

}  // namespace

int main(int argc, char** argv)
{
    int repeats = argc > 1 ? std::atoi(argv[1]) : 20;
    if (repeats < 1)
        repeats = 1;
    ParamWriter writer(kEq1BaseItem, kEqBlockCount);
    std::printf("%-18s %10s %12s %8s %12s  %s\n", "type", "designs", "designs/s", "refused",
                "worst |p|", "at (rate, Hz, dB, Q)");
    double allDesigns = 0, allSeconds = 0, allWorst = 0;
    long allRefused = 0;
    for (int type = 0; type < 6; ++type) {
        bool eqOnly = type <= EqBand::kLowShelf;
        const std::vector<float>& gains = eqOnly ? kEqGains : kDirectGains;
        const std::vector<float>& qs = eqOnly ? kEqQs : kDirectQs;
        EqBand band;
        band.Init(true);
        band.writer = &writer;
        band.dspIndex = int32_t(kEqBandSlot[0][0]);
        band.SetType(type);
        double worst = 0;
        float worstAt[4] = {};
        long designs = 0;
        long refused = 0;  // designs the band would not send (unstable or unbounded)
        double seconds = 0;
        for (int pass = 0; pass < repeats; ++pass) {
            for (float rate : kRates) {
                band.SetSampleRate(rate);
                std::vector<float> freqs = Frequencies(rate);
                auto start = std::chrono::steady_clock::now();
                for (float f : freqs)
                    for (float g : gains)
                        for (float q : qs) {
                            band.freq = band.freqTarget = f;
                            band.gain = band.gainTarget = g;
                            band.q = band.qTarget = q;
                            bool sent = band.Update();
                            ++designs;
                            if (pass == 0 && !sent)
                                ++refused;
                            if (pass == 0 && sent) {
                                double r = PoleRadius(band);
                                if (r > worst) {
                                    worst = r;
                                    worstAt[0] = rate, worstAt[1] = band.freq;
                                    worstAt[2] = g, worstAt[3] = q;
                                }
                            }
                        }
                seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                               .count();
                // Drain as the polling thread would, so the block stays small.
                ItemValue pairs[kWriterPairsPerCycle];
                while (writer.PopPending(pairs, kWriterPairsPerCycle) > 0) {
                }
            }
        }
        std::printf("%-18s %10ld %12.0f %8ld %12.9f  (%g, %g, %g, %g)\n", kTypeNames[type],
                    designs, designs / seconds, refused, worst, worstAt[0], worstAt[1],
                    worstAt[2], worstAt[3]);
        allDesigns += designs;
        allSeconds += seconds;
        allWorst = std::max(allWorst, worst);
        allRefused += refused;
    }
    std::printf("%-18s %10.0f %12.0f %8ld %12.9f\n", "all", allDesigns, allDesigns / allSeconds,
                allRefused, allWorst);
    std::printf("(refused and worst |p| over one pass; designs/s over %d passes)\n", repeats);
    return 0;
}
