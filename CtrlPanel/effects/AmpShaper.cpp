#include "CtrlPanel/effects/AmpShaper.h"

#include <algorithm>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpModel.h"
#include "CtrlPanel/effects/BiquadDesign.h"

AmpShaper::AmpShaper() : m_model(AmpModel::ForIndex(0))
{
    m_model->SetDrive(0.0f);
    m_offset = m_model->GetCurveOffset(0.0f);
    BuildCurve();
}

void AmpShaper::AttachWriter(ParamWriter* writer, bool first)
{
    m_writer = writer;
    m_first = first;
}

void AmpShaper::SetModel(int index)
{
    m_modelIndex = index >= 0 && index < AmpModel::kModelCount ? index : 0;
    m_model = AmpModel::ForIndex(m_modelIndex);
    m_model->SetDrive(m_drive);
    m_offset = m_model->GetCurveOffset(m_drive);
    BuildCurve();
}

void AmpShaper::SetDrive(float d)
{
    m_drive = d;
    m_model->SetDrive(d);
    m_offset = m_model->GetCurveOffset(d);
    BuildCurve();
}

void AmpShaper::BuildCurve()
{
    // The models are shared by both shapers: set this shaper's drive before sampling.
    m_model->SetDrive(m_drive);
    float* curve = m_curve + 1;
    for (int i = 0; i < kCurvePoints; ++i) {
        float x = float(i) / 64.0f - 1.0f;
        float y = m_model->Shape(x) * (1.0f - m_offset) + m_offset;
        curve[i] = std::min(std::max(y, -1.0f), 1.0f);
    }
    m_curve[0] = curve[0];
    m_curve[1 + kCurvePoints] = curve[kCurvePoints - 1];
    m_curve[2 + kCurvePoints] = curve[kCurvePoints - 1];
    m_sent = false;
}

void AmpShaper::SendCurve()
{
    if (!m_writer || m_sent)
        return;
    m_writer->SetFloatsAndTrigger(kAmpCurveFirstIndex, m_curve + 1, kCurvePoints,
                                  kAmpCurveCommitIndex);
    m_sent = true;
}

void AmpShaper::WriteFilter(int32_t type, float freq, float q, float rate, uint32_t slot,
                            CoefficientSet& stored)
{
    float bv[5] = {};
    float av[5] = {};
    CoefficientSet set;
    if (!BiquadDesign::Design(type, freq, 0.0f, q, rate, bv, av) ||
        !BiquadDesign::Finish(bv, av, set))
        return;
    stored = set;
    if (m_writer)
        m_writer->SetCoefficientSet(slot, set);
}

void AmpShaper::SetSampleRate(float rate)
{
    WriteFilter(BiquadDesign::kLowPass, m_model->GetLowPassFreq(), m_model->GetLowPassQ(), rate,
                kAmpLowPassSlot, m_lowPass);
    WriteFilter(BiquadDesign::kHighPass, m_model->GetHighPassFreq(), m_model->GetHighPassQ(), rate,
                kAmpHighPassSlot, m_highPass);
    m_sent = false;
    SendCurve();
}
