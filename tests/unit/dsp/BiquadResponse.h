#pragma once
// Test helpers: the transfer function of a designed band, evaluated independently of the design
// code, in double precision from the values the band sends.

#include <cmath>
#include <complex>

#include "CtrlPanel/effects/EqBand.h"

struct Biquad {
    double b[3];
    double a[3];  // a[0] is the real (unscaled) a0
};

// The section the device runs: sent values times 2^shift; a0 = 1 where the design leaves it 0.
inline Biquad SentSection(const EqBand& band)
{
    double scale = std::ldexp(1.0, band.shift);
    Biquad q;
    for (int i = 0; i < 3; ++i) {
        q.b[i] = band.b[i] * scale;
        q.a[i] = band.a[i] * scale;
    }
    if (band.a[0] == 0.0f)
        q.a[0] = 1.0;
    return q;
}

inline Biquad FromZ(const double bz[5], const double az[5])
{
    return Biquad{{bz[0], bz[1], bz[2]}, {az[0], az[1], az[2]}};
}

// |H(e^jw)| at w = 2 pi hz / fs.
inline double Magnitude(const Biquad& q, double hz, double fs)
{
    const double w = 2.0 * M_PI * hz / fs;
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((q.b[0] + q.b[1] * z1 + q.b[2] * z2) / (q.a[0] + q.a[1] * z1 + q.a[2] * z2));
}

inline double MagnitudeDb(const Biquad& q, double hz, double fs)
{
    return 20.0 * std::log10(Magnitude(q, hz, fs));
}

// Exact values at DC and Nyquist (no trigonometry).
inline double DcDb(const Biquad& q)
{
    return 20.0 * std::log10(std::fabs((q.b[0] + q.b[1] + q.b[2]) / (q.a[0] + q.a[1] + q.a[2])));
}

inline double NyquistDb(const Biquad& q)
{
    return 20.0 * std::log10(std::fabs((q.b[0] - q.b[1] + q.b[2]) / (q.a[0] - q.a[1] + q.a[2])));
}

// Largest magnitude of the roots of a0 z^2 + a1 z + a2.
inline double MaxPoleRadius(const Biquad& q)
{
    const double a1 = q.a[1] / q.a[0];
    const double a2 = q.a[2] / q.a[0];
    const std::complex<double> root = std::sqrt(std::complex<double>(a1 * a1 - 4.0 * a2));
    return std::max(std::abs((-a1 + root) / 2.0), std::abs((-a1 - root) / 2.0));
}

// |H(jw)| of an s-domain pair (coefficients of s^2, s, 1) at hz.
inline double AnalogMagnitudeDb(const double num[5], const double den[5], double hz)
{
    const std::complex<double> s(0.0, 2.0 * M_PI * hz);
    return 20.0 * std::log10(std::abs((num[0] * s * s + num[1] * s + num[2]) /
                                      (den[0] * s * s + den[1] * s + den[2])));
}

// A band designed with a writer-less record: immediate settings, then type, rate and values.
inline EqBand DesignedBand(int type, double hz, double gainDb, double q, double fs)
{
    EqBand band;
    band.Init(true);
    band.SetType(type);
    band.SetSampleRate(float(fs));
    band.SetFreq(float(hz));
    band.SetGain(float(gainDb));
    band.SetQ(float(q));
    return band;
}

constexpr double kRates[] = {44100, 48000, 88200, 96000, 176400, 192000};
