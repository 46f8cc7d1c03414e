#include "CtrlPanel/effects/EqBand.h"

#include <algorithm>
#include <cmath>

#include "CtrlPanel/device/ParamWriter.h"

namespace {

// Moves cur toward target by at most step; true when it moved.
bool StepToward(float& cur, float target, float step)
{
    if (!std::isfinite(target) || cur == target)
        return false;
    if (cur < target)
        cur = std::min(cur + step, target);
    else
        cur = std::max(cur - step, target);
    return true;
}

}  // namespace

void EqBand::Init(bool immediateSettings)
{
    type = kAnalogBell;
    std::fill(b, b + 5, 0.0f);
    std::fill(a, a + 5, 0.0f);
    shift = 0;
    freq = freqTarget = 65.0f;
    gain = gainTarget = 0.0f;
    q = qTarget = 1.0f;
    immediate = immediateSettings ? 1 : 0;
    order = 2;
    sampleRate = 48000.0f;
    writer = nullptr;
    Update();
}

void EqBand::SetType(int32_t newType)
{
    if (newType == type)
        return;
    type = newType;
    Update();
}

void EqBand::SetFreq(float hz)
{
    if (hz == freqTarget)
        return;
    freqTarget = hz;
    if (immediate) {
        freq = hz;
        Update();
    }
}

void EqBand::SetGain(float db)
{
    if (db == gainTarget)
        return;
    gainTarget = db;
    if (immediate) {
        gain = db;
        Update();
    }
}

void EqBand::SetQ(float newQ)
{
    if (newQ == qTarget)
        return;
    qTarget = newQ;
    if (immediate) {
        q = newQ;
        Update();
    }
}

void EqBand::SetSampleRate(float hz)
{
    if (!BiquadDesign::IsUsableRate(hz))
        return;
    sampleRate = hz;
    Update();
}

bool EqBand::Update()
{
    float bv[5] = {};
    float av[5] = {};
    order = 2;
    return BiquadDesign::Design(type, freq, gain, q, sampleRate, bv, av) && Send(bv, av);
}

void EqBand::Glide()
{
    float lo, hi;
    BiquadDesign::DesignLimits(type, sampleRate, lo, hi);
    float target = freqTarget;
    if (std::isfinite(target) && BiquadDesign::IsUsableRate(sampleRate))
        target = std::min(std::max(target, lo), hi);
    bool moved = StepToward(freq, target, type == kHighPass ? 20.0f : 200.0f);
    moved = StepToward(gain, gainTarget, 0.2f) || moved;
    moved = StepToward(q, qTarget, 0.1f) || moved;
    if (moved)
        Update();
}

bool EqBand::Send(float bv[5], float av[5])
{
    CoefficientSet set;
    if (!BiquadDesign::Finish(bv, av, set))
        return false;
    std::copy(set.b, set.b + 5, b);
    std::copy(set.a, set.a + 5, a);
    shift = set.shift;
    SendRaw();
    return true;
}

void EqBand::SendRaw()
{
    if (!writer)
        return;
    CoefficientSet set;
    set.shift = shift;
    std::copy(b, b + 5, set.b);
    std::copy(a, a + 5, set.a);
    writer->SetCoefficientSet(uint32_t(dspIndex), set);
}
