#include "CtrlPanel/effects/BiquadDesign.h"

#include <algorithm>
#include <cmath>

namespace {

// The digital designs use single-precision pi and 2 pi.
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

constexpr float kBellMinHz = 40.0f;       // analog-model bell, component range
constexpr float kShelfMinHz = 3300.0f;    // analog-model high shelf, component range
constexpr float kModelMaxHz = 18000.0f;   // both analog models
constexpr float kMaxFractionOfRate = 0.49f;

// Gain position of the analog models: 0 at -18 dB, 1 at +18 dB.
float GainPosition(float gainDb)
{
    return gainDb / 36.0f + 0.5f;
}

bool AllFinite(float x, float y, float z)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

void StoreZ(const double bz[5], const double az[5], float bv[5], float av[5])
{
    for (int i = 0; i < 5; ++i) {
        bv[i] = float(bz[i]);
        av[i] = float(az[i]);
    }
}

}  // namespace

bool BiquadDesign::IsUsableRate(float rate)
{
    return std::isfinite(rate) && rate > 0.0f;
}

void BiquadDesign::DesignLimits(int32_t bandType, float rate, float& lo, float& hi)
{
    lo = 0.0f;
    hi = kMaxFractionOfRate * rate;
    if (bandType == kAnalogBell || bandType == kAnalogHighShelf) {
        lo = bandType == kAnalogBell ? kBellMinHz : kShelfMinHz;
        hi = std::min(hi, kModelMaxHz);
    }
}

bool BiquadDesign::Design(int32_t type, float& freq, float gainDb, float q, float rate,
                          float bv[5], float av[5])
{
    if (!IsUsableRate(rate) || !AllFinite(freq, gainDb, q))
        return false;
    float lo, hi;
    DesignLimits(type, rate, lo, hi);
    float f = std::min(freq, hi);
    switch (type) {
    case kAnalogBell:
        DesignAnalogBell(freq, gainDb, q, rate, bv, av);
        return true;
    case kAnalogHighShelf:
        DesignAnalogHighShelf(freq, gainDb, rate, bv, av);
        return true;
    case kLowShelf:
        return DesignLowShelf(f, gainDb, rate, bv, av);
    case kLowPass:
        return DesignLowPass(f, q, rate, bv, av);
    case kHighPass:
        return DesignHighPass(f, q, rate, bv, av);
    case kBell:
        return DesignBell(f, gainDb, q, rate, bv, av);
    default:
        return false;
    }
}

bool BiquadDesign::Finish(float bv[5], float av[5], CoefficientSet& set)
{
    if (!IsStable(av))
        return false;
    int s = NormaliseByHalving(bv, av, 3);
    if (s < 0)
        return false;
    std::copy(bv, bv + 5, set.b);
    std::copy(av, av + 5, set.a);
    set.shift = s;
    return true;
}

bool BiquadDesign::IsStable(const float av[5])
{
    // a0 is 0 after the low-pass and high-pass designs, where 1 is implied.
    double a0 = av[0] != 0.0f ? double(av[0]) : 1.0;
    double a1 = av[1] / a0;
    double a2 = av[2] / a0;
    return std::fabs(a2) < 1.0 && std::fabs(a1) < 1.0 + a2;
}

int BiquadDesign::NormaliseByHalving(float* bv, float* av, int n)
{
    float m = 0.0f;
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(bv[i]) || !std::isfinite(av[i]))
            return -1;
        m = std::max(m, std::max(std::fabs(bv[i]), std::fabs(av[i])));
    }
    if (m < 1.0f)
        return 0;
    int s = 1;
    while (s < 31 && double(m) >= std::ldexp(1.0, s))
        ++s;
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < s; ++k) {
            bv[i] *= 0.5f;
            av[i] *= 0.5f;
        }
    }
    return s;
}

void BiquadDesign::DesignAnalogBell(float& freq, float gain, float q, float sampleRate,
                                    float bv[5], float av[5])
{
    float g = GainPosition(gain);
    float p = (q - 0.667f) / 3.333f;
    freq = std::min(std::max(freq, kBellMinHz), kModelMaxHz);
    float f = std::min(freq, kMaxFractionOfRate * sampleRate);
    double num[5], den[5], bz[5], az[5];
    AnalogBellModel(1.0f - p, 1.0f - g, 68.0 * double(1e-9f), f, num, den);
    MatchedZTransform(num, den, bz, az, sampleRate);
    StoreZ(bz, az, bv, av);
}

void BiquadDesign::DesignAnalogHighShelf(float& freq, float gain, float sampleRate, float bv[5],
                                         float av[5])
{
    freq = std::min(std::max(freq, kShelfMinHz), kModelMaxHz);
    float f = std::min(freq, kMaxFractionOfRate * sampleRate);
    float x = 1.0f - (f - 3300.0f) / 14700.0f;
    float y = 1.0f - GainPosition(gain);
    double num[5], den[5], bz[5], az[5];
    AnalogShelfModel(x, y, num, den);
    BilinearTransform(num, den, bz, az, sampleRate);
    StoreZ(bz, az, bv, av);
}

bool BiquadDesign::DesignLowShelf(float f, float gain, float sampleRate, float bv[5], float av[5])
{
    if (!(f > 0.0f))
        return false;
    float k = float(std::tan(double((kTwoPi * f / sampleRate) * 0.5f)));
    // F(v, w) = (1 + vK + wK^2, 2(wK^2 - 1), 1 - vK + wK^2). The flat side is F(sqrt 2, 1), the
    // shelf side F(sqrt(2V), V): flat at 0 dB, |gain| dB at DC, unity at Nyquist.
    auto F = [k](float v, float w, float out[3]) {
        out[0] = 1.0f + v * k + w * k * k;
        out[1] = 2.0f * (w * k * k - 1.0f);
        out[2] = 1.0f - v * k + w * k * k;
    };
    const float root2 = std::sqrt(2.0f);
    float n[3], d[3];
    if (gain > 0.0f) {
        float v = std::pow(10.0f, -gain / 20.0f);
        F(root2, 1.0f, n);
        F(std::sqrt(2.0f * v), v, d);
    } else {
        float v = std::pow(10.0f, gain / 20.0f);
        F(std::sqrt(2.0f * v), v, n);
        F(root2, 1.0f, d);
    }
    for (int i = 0; i < 3; ++i)
        bv[i] = n[i] / d[0];
    av[0] = 1.0f;
    av[1] = d[1] / d[0];
    av[2] = d[2] / d[0];
    return true;
}

bool BiquadDesign::DesignLowPass(float f, float q, float sampleRate, float bv[5], float av[5])
{
    if (!(f > 0.0f) || !(q > 0.0f))
        return false;
    float w = 1.0f / float(std::tan(double(kPi * f / sampleRate)));
    float b0 = 1.0f / (1.0f + w / q + w * w);
    bv[0] = b0;
    bv[1] = 2.0f * b0;
    bv[2] = b0;
    av[0] = 0.0f;  // a0 = 1 is implied and not counted by the scaling
    av[1] = 2.0f * (1.0f - w * w) * b0;
    av[2] = (1.0f - w / q + w * w) * b0;
    return true;
}

bool BiquadDesign::DesignHighPass(float f, float q, float sampleRate, float bv[5], float av[5])
{
    if (!(f > 0.0f) || !(q > 0.0f))
        return false;
    float k = float(std::tan(double(kPi * f / sampleRate)));
    float b0 = 1.0f / (1.0f + k / q + k * k);
    bv[0] = b0;
    bv[1] = -2.0f * b0;
    bv[2] = b0;
    av[0] = 0.0f;  // a0 = 1 is implied and not counted by the scaling
    av[1] = 2.0f * (k * k - 1.0f) * b0;
    av[2] = (1.0f - k / q + k * k) * b0;
    return true;
}

bool BiquadDesign::DesignBell(float f, float gain, float q, float sampleRate, float bv[5],
                              float av[5])
{
    if (!(f > 0.0f) || !(q > 0.0f))
        return false;
    float amp = std::pow(10.0f, std::fabs(gain) / 20.0f);
    float k = std::tan(kPi * f / sampleRate);
    float p[3] = {1.0f + amp * k / q + k * k, 2.0f * (k * k - 1.0f), 1.0f - amp * k / q + k * k};
    float z[3] = {1.0f + k / q + k * k, 2.0f * (k * k - 1.0f), 1.0f - k / q + k * k};
    const float* n = gain >= 0.0f ? p : z;
    const float* d = gain >= 0.0f ? z : p;
    for (int i = 0; i < 3; ++i) {
        bv[i] = n[i] / d[0];
        av[i] = d[i] / d[0];
    }
    return true;
}

void BiquadDesign::AnalogBellModel(double qPot, double gainPot, double cb, double f, double num[5],
                             double den[5])
{
    const double r = 1800.0;
    double x = 6.2831854820251465 * f * r * cb;
    double t = x * cb * r;
    double k = (5.0 * qPot + 1.2) * 8.2 / ((5.0 * qPot + 9.4) * 1.2) * 0.3829787234042553;
    double m = 22.0 * gainPot * (1.0 - gainPot) + 11.0;
    double v = (k * 2.611111111111111 * 36.2 / 42.0 + 0.41333333333333333) * (18.0 * t);
    double s2 = cb * cb * r * r * m;
    double s0 = x * x * m;
    num[0] = s2;
    num[1] = t * k * m + (1.0 - gainPot) * v;
    num[2] = s0;
    den[0] = s2;
    den[1] = t * k * m + gainPot * v;
    den[2] = s0;
    num[3] = num[4] = den[3] = den[4] = 0.0;
}

void BiquadDesign::AnalogShelfModel(double freqPot, double gainPot, double num[5], double den[5])
{
    const double x = freqPot;
    const double y = gainPot;
    double c1 = (68.0 * x + 10.0 * (1.0 - x)) * 1e-9;
    double c2 = (150.0 * x + 25.0 * (1.0 - x)) * 1e-9;
    double ra = 22000.0 * y + 820.0;
    double rb = 22000.0 * (1.0 - y) + 820.0;
    double s = ra + rb;
    double p = ra * rb * c1 * 11500.0 + s * 2.184e7 * (c1 + c2);
    double t = c1 * 2400.0 * 10000.0;
    double u = c1 * c2 * 9100.0 * 2400.0;
    num[0] = (ra + 10000.0) * u * rb;
    num[1] = rb * t + p;
    num[2] = 11500.0 * s;
    den[0] = u * (rb + 10000.0) * ra;
    den[1] = p + ra * t;
    den[2] = 11500.0 * s;
    num[3] = num[4] = den[3] = den[4] = 0.0;
}

void BiquadDesign::MatchedZTransform(const double num[5], const double den[5], double bz[5],
                               double az[5], double fs)
{
    const double norm = den[0];
    const double n2 = num[0] / norm, n1 = num[1] / norm, n0 = num[2] / norm;
    const double d1 = den[1] / norm, d0 = den[2] / norm;

    double h = -0.5 * n1 / n2;
    double disc = h * h - n0 / n2;
    if (!(disc < 0.0)) {
        double z1 = std::exp((h - std::sqrt(disc)) / fs);
        double z2 = std::exp((h + std::sqrt(disc)) / fs);
        bz[0] = 1.0;
        bz[1] = -(z1 + z2);
        bz[2] = z1 * z2;
    } else {
        double r = std::exp(h / fs);
        double theta = std::sqrt(-disc) / fs;
        bz[0] = 1.0;
        bz[1] = -2.0 * r * std::cos(theta);
        bz[2] = r * r;
    }

    h = -0.5 * d1;
    disc = h * h - d0;
    az[0] = 1.0;
    if (disc < 0.0) {
        double r = std::exp(h / fs);
        double theta = std::sqrt(-disc) / fs;
        if (r >= 1.0) {  // radius held at 0.99999
            az[1] = -1.99998 * std::cos(theta);
            az[2] = 0.9999800001000001;
        } else {
            az[1] = -2.0 * r * std::cos(theta);
            az[2] = r * r;
        }
    } else {
        double p1 = std::exp((h - std::sqrt(disc)) / fs);
        double p2 = std::exp((h + std::sqrt(disc)) / fs);
        auto hold = [](double p) { return p >= 1.0 ? 0.99999 : (p <= -1.0 ? -0.9999 : p); };
        p1 = hold(p1);
        p2 = hold(p2);
        az[1] = -(p1 + p2);
        az[2] = p1 * p2;
    }

    // Match the analog gain at DC.
    double g = n0 / d0;
    double digitalDc = (bz[0] + bz[1] + bz[2]) / (az[0] + az[1] + az[2]);
    double scale = g / std::fabs(digitalDc);
    for (int i = 0; i < 3; ++i)
        bz[i] *= scale;
    bz[3] = bz[4] = az[3] = az[4] = 0.0;
}

void BiquadDesign::BilinearTransform(const double num[5], const double den[5], double bz[5],
                               double az[5], double fs)
{
    // s = (w0 / K)(1 - 1/z)/(1 + 1/z), exact at the angular frequency w0.
    const double w0 = 6.283185307179586e-06;
    const double w0sq = 3.9478417604357426e-11;
    const double k = std::tan(w0 / (2.0 * fs));
    auto map = [&](const double c[5], double out[5]) {
        out[0] = c[0] * w0sq + c[1] * w0 * k + c[2] * k * k;
        out[1] = 2.0 * (c[2] * k * k - c[0] * w0sq);
        out[2] = c[0] * w0sq - c[1] * w0 * k + c[2] * k * k;
        out[3] = out[4] = 0.0;
    };
    map(num, bz);
    map(den, az);
    const double a0 = az[0];
    if (a0 != 0.0) {
        for (int i = 0; i < 3; ++i) {
            bz[i] /= a0;
            az[i] /= a0;
        }
    }
}
