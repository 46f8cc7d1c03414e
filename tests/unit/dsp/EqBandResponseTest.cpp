// The designs judged by their frequency responses, computed here from the values each band sends.

#include <gtest/gtest.h>

#include <vector>

#include "CtrlPanel/effects/BiquadDesign.h"
#include "CtrlPanel/effects/EqBand.h"
#include "unit/dsp/BiquadResponse.h"

namespace {

// Centre frequencies from lo to hi, a third of an octave apart.
std::vector<double> Sweep(double lo, double hi)
{
    std::vector<double> f;
    for (double hz = lo; hz <= hi; hz *= std::pow(2.0, 1.0 / 3.0))
        f.push_back(hz);
    return f;
}

}  // namespace

// The designs compute and store single-precision coefficients, which limits how accurately a
// section with poles close to z = 1 is placed: the response checks start at fs/200 (220 Hz at
// 44.1 kHz), where the error at DC stays below 0.01 dB.
TEST(EqBandResponse, BellReachesItsGainAtTheCentreAndUnityAtDcAndNyquist)
{
    double worstCentre = 0, worstEnds = 0;
    for (double fs : kRates)
        for (double f : Sweep(fs / 200.0, 0.45 * fs))
            for (double gain : {-32.0, -18.0, -6.0, -1.0, 1.0, 6.0, 18.0, 48.0})
                for (double q : {0.3, 0.667, 1.0, 4.0, 6.0}) {
                    Biquad s = SentSection(DesignedBand(EqBand::kBell, f, gain, q, fs));
                    double centre = MagnitudeDb(s, float(f), fs);
                    worstCentre = std::max(worstCentre, std::fabs(centre - gain));
                    worstEnds = std::max({worstEnds, std::fabs(DcDb(s)), std::fabs(NyquistDb(s))});
                    ASSERT_NEAR(centre, gain, 0.001) << fs << " Hz rate, " << f << " Hz, Q " << q;
                    ASSERT_NEAR(DcDb(s), 0.0, 0.01) << fs << " Hz rate, " << f << " Hz, Q " << q;
                    ASSERT_NEAR(NyquistDb(s), 0.0, 0.01) << fs << " Hz rate, " << f << " Hz";
                }
    RecordProperty("worst_centre_db", std::to_string(worstCentre));
    RecordProperty("worst_ends_db", std::to_string(worstEnds));
}

// At Q = 1/sqrt(2) the low-pass and high-pass are second-order Butterworth sections through the
// bilinear transform: |H|^2 = 1 / (1 + r^4), r = tan(w/2) / tan(w0/2) (low-pass) or its inverse.
TEST(EqBandResponse, LowPassAndHighPassAtButterworthQMatchTheButterworthResponse)
{
    const double q = 1.0 / std::sqrt(2.0);
    for (double fs : kRates)
        for (double fc : Sweep(fs / 200.0, 0.45 * fs)) {
            Biquad lp = SentSection(DesignedBand(EqBand::kLowPass, fc, 0.0, q, fs));
            Biquad hp = SentSection(DesignedBand(EqBand::kHighPass, fc, 0.0, q, fs));
            const double t0 = std::tan(M_PI * double(float(fc)) / fs);
            for (double ratio : {0.02, 0.1, 0.5, 0.9, 1.0, 1.1, 2.0, 0.999 * fs / 2.0 / fc}) {
                double f = fc * ratio;
                if (f >= fs / 2.0)
                    continue;
                double r = std::tan(M_PI * f / fs) / t0;
                double lpRef = 1.0 / std::sqrt(1.0 + std::pow(r, 4.0));
                double hpRef = 1.0 / std::sqrt(1.0 + std::pow(r, -4.0));
                ASSERT_NEAR(Magnitude(lp, f, fs), lpRef, 2e-4) << fs << " Hz rate, fc " << fc
                                                               << ", f " << f;
                ASSERT_NEAR(Magnitude(hp, f, fs), hpRef, 2e-4) << fs << " Hz rate, fc " << fc
                                                               << ", f " << f;
            }
            EXPECT_NEAR(MagnitudeDb(lp, float(fc), fs), -3.0103, 0.01);
            EXPECT_NEAR(MagnitudeDb(hp, float(fc), fs), -3.0103, 0.01);
            EXPECT_NEAR(DcDb(lp), 0.0, 0.01) << fs << " " << fc;
            EXPECT_NEAR(NyquistDb(hp), 0.0, 0.01) << fs << " " << fc;
            // Double zeros at Nyquist (low-pass) and DC (high-pass).
            EXPECT_NEAR(lp.b[0] - lp.b[1] + lp.b[2], 0.0, 1e-6);
            EXPECT_NEAR(hp.b[0] + hp.b[1] + hp.b[2], 0.0, 1e-6);
        }
}

// The analog-model bell through the matched z-transform follows its analog prototype at the
// centre, and the gain match makes it exactly unity at DC.
TEST(EqBandResponse, AnalogBellTransformFollowsItsPrototypeAndIsUnityAtDc)
{
    double worstAtEighth = 0;
    for (double fs : kRates)
        for (double f : Sweep(40.0, fs / 8.0))
            for (double gain : {-18.0, -9.0, -1.0, 1.0, 9.0, 18.0})
                for (double q : {0.667, 1.0, 2.0, 4.0}) {
                    float g = float(gain) / 36.0f + 0.5f;
                    float p = (float(q) - 0.667f) / 3.333f;
                    double num[5], den[5], bz[5], az[5];
                    BiquadDesign::AnalogBellModel(1.0f - p, 1.0f - g, 68.0 * double(1e-9f), f, num,
                                                  den);
                    BiquadDesign::MatchedZTransform(num, den, bz, az, fs);
                    Biquad z = FromZ(bz, az);
                    double error = std::fabs(MagnitudeDb(z, f, fs) - AnalogMagnitudeDb(num, den, f));
                    ASSERT_NEAR(DcDb(z), 0.0, 1e-9);
                    if (f <= fs / 9.0) {
                        ASSERT_LT(error, 0.1) << fs << " Hz rate, " << f << " Hz, " << gain
                                              << " dB, Q " << q;
                    }
                    worstAtEighth = std::max(worstAtEighth, error);
                }
    // Between fs/9 and fs/8 the mapping drifts a little further from the prototype.
    EXPECT_LT(worstAtEighth, 0.15);
}

TEST(EqBandResponse, AnalogBellBandSendsItsPrototypeWithinSinglePrecision)
{
    for (double fs : kRates)
        for (double f : Sweep(fs / 400.0, fs / 9.0))
            for (double gain : {-18.0, -6.0, 6.0, 18.0})
                for (double q : {0.667, 4.0}) {
                    EqBand band = DesignedBand(EqBand::kAnalogBell, f, gain, q, fs);
                    Biquad s = SentSection(band);
                    float g = float(gain) / 36.0f + 0.5f;
                    float p = (float(q) - 0.667f) / 3.333f;
                    double num[5], den[5];
                    BiquadDesign::AnalogBellModel(1.0f - p, 1.0f - g, 68.0 * double(1e-9f),
                                                  band.freq, num, den);
                    ASSERT_NEAR(MagnitudeDb(s, f, fs), AnalogMagnitudeDb(num, den, f), 0.1)
                        << fs << " Hz rate, " << f << " Hz, " << gain << " dB, Q " << q;
                    ASSERT_NEAR(DcDb(s), 0.0, 0.01) << fs << " Hz rate, " << f << " Hz";
                }
}

TEST(EqBandResponse, ShelvesAndBellsAreExactlyFlatAtZeroGain)
{
    for (int type : {EqBand::kAnalogBell, EqBand::kAnalogHighShelf, EqBand::kLowShelf,
                     EqBand::kBell})
        for (double fs : kRates)
            for (double f : {40.0, 320.0, 3300.0, 12000.0, 18000.0}) {
                EqBand band = DesignedBand(type, f, 0.0, 1.0, fs);
                for (int i = 0; i < 3; ++i)
                    ASSERT_EQ(band.b[i], band.a[i]) << "type " << type << " at " << f << " Hz";
                EXPECT_GE(band.shift, 1);
                Biquad s = SentSection(band);
                for (double probe : {0.0, 100.0, 1000.0, 10000.0, 0.49 * fs})
                    ASSERT_NEAR(MagnitudeDb(s, probe, fs), 0.0, 1e-9);
            }
}

// Low shelf: |gain| dB at DC, unity at Nyquist, monotone in between, and boost and cut of the
// same size are exact inverses.
TEST(EqBandResponse, LowShelfShelvesTheLowsAndPassesTheHighs)
{
    for (double fs : kRates)
        for (double f : Sweep(fs / 200.0, fs / 20.0))
            for (double gain : {-18.0, -6.0, -1.0, 1.0, 6.0, 18.0}) {
                Biquad s = SentSection(DesignedBand(EqBand::kLowShelf, f, gain, 1.0, fs));
                Biquad inverse = SentSection(DesignedBand(EqBand::kLowShelf, f, -gain, 1.0, fs));
                ASSERT_NEAR(DcDb(s), gain, 0.01) << fs << " " << f;
                ASSERT_NEAR(NyquistDb(s), 0.0, 1e-5);
                double previous = DcDb(s);
                for (double probe = f / 16.0; probe < fs / 2.0; probe *= 1.25) {
                    double m = MagnitudeDb(s, probe, fs);
                    ASSERT_NEAR(m + MagnitudeDb(inverse, probe, fs), 0.0, 0.01);
                    if (gain > 0)
                        ASSERT_LE(m, previous + 1e-4) << fs << " " << f << " at " << probe;
                    else
                        ASSERT_GE(m, previous - 1e-4) << fs << " " << f << " at " << probe;
                    previous = m;
                }
            }
}

// Analog-model high shelf: unity at DC, the highs raised when it boosts, and boost and cut of the
// same size are exact inverses (the circuit's two resistors swap places).
TEST(EqBandResponse, AnalogHighShelfIsUnityAtDcAndMirrorsBoostAndCut)
{
    for (double fs : kRates)
        for (double f : {3300.0, 6000.0, 12000.0, 18000.0})
            for (double gain : {1.0, 6.0, 18.0}) {
                Biquad boost = SentSection(DesignedBand(EqBand::kAnalogHighShelf, f, gain, 1, fs));
                Biquad cut = SentSection(DesignedBand(EqBand::kAnalogHighShelf, f, -gain, 1, fs));
                ASSERT_NEAR(DcDb(boost), 0.0, 0.01);
                ASSERT_NEAR(DcDb(cut), 0.0, 0.01);
                for (double probe = fs / 200.0; probe < fs / 2.0; probe *= 1.25)
                    ASSERT_NEAR(MagnitudeDb(boost, probe, fs) + MagnitudeDb(cut, probe, fs), 0.0,
                                0.01) << fs << " " << f << " " << gain << " at " << probe;
                EXPECT_GT(MagnitudeDb(boost, 20000.0, fs), MagnitudeDb(boost, 100.0, fs) + 0.1);
                EXPECT_GT(NyquistDb(boost), 0.1);
                EXPECT_NEAR(NyquistDb(boost) + NyquistDb(cut), 0.0, 1e-3);
            }
}

// Every design the EQ and the amp simulator can ask for is sent, and every pole lies inside the
// unit circle. (Below 40 Hz at 176.4 and 192 kHz a low shelf would need more than single
// precision; the EQ's low band starts at 40 Hz.)
TEST(EqBandResponse, EveryDesignOverTheSweepIsSentAndStable)
{
    const std::vector<double> eqGains = {-18, -12, -6, -1, 0, 1, 6, 12, 18};
    const std::vector<double> eqQs = {0.4, 0.667, 1, 2, 4};
    const std::vector<double> directGains = {-32, -18, -6, -1, 0, 1, 6, 18, 24, 48};
    const std::vector<double> directQs = {0.3, 0.667, 0.7071, 1, 2, 4, 6};
    for (int type = 0; type < 6; ++type) {
        bool eqOnly = type <= EqBand::kLowShelf;
        for (double fs : kRates) {
            EqBand band;
            band.Init(true);
            band.SetType(type);
            band.SetSampleRate(float(fs));
            for (double f : Sweep(type == EqBand::kLowShelf ? 40.0 : 20.0, 0.49 * fs))
                for (double gain : eqOnly ? eqGains : directGains)
                    for (double q : eqOnly ? eqQs : directQs) {
                        band.freq = band.freqTarget = float(f);
                        band.gain = band.gainTarget = float(gain);
                        band.q = band.qTarget = float(q);
                        ASSERT_TRUE(band.Update()) << "type " << type << ", " << fs << " Hz rate, "
                                                   << f << " Hz, " << gain << " dB, Q " << q;
                        ASSERT_LT(MaxPoleRadius(SentSection(band)), 1.0)
                            << "type " << type << ", " << fs << " Hz rate, " << f << " Hz";
                    }
        }
    }
}
