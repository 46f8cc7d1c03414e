#include "PAL/ParameterSet.h"

#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterMailbox.h"
#include "PAL/ParameterObserver.h"

#include <algorithm>
#include <cmath>
#include <cstring>

ParameterSet::ParameterSet(const ParamDescriptor* descriptors, int32_t count)
    : m_descriptors(descriptors), m_count(descriptors && count > 0 ? count : 0)
{
    if (m_count == 0)
        return;
    m_parameters = new Parameter*[size_t(m_count)];
    for (int32_t i = 0; i < m_count; ++i)
        m_parameters[i] = new Parameter(m_descriptors[i]);
}

ParameterSet::~ParameterSet()
{
    ParameterMailbox::Forget(this);
    for (int32_t i = 0; i < m_count; ++i)
        delete m_parameters[i];
    delete[] m_parameters;
}

void ParameterSet::Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                           float* const* outputs, int32_t outputStride)
{
    if (!inputs || !outputs)
        return;
    for (int32_t c = 0; c < channels; ++c) {
        const float* in = inputs[c];
        float* out = outputs[c];
        if (!in || !out)
            continue;
        for (int32_t f = 0; f < frames; ++f) {
            *out = *in;
            in += inputStride;
            out += outputStride;
        }
    }
}

void ParameterSet::SetParameter(int32_t index, float normalised)
{
    if (!ValidIndex(index) || !std::isfinite(normalised))
        return;
    m_parameters[index]->SetNormalisedValue(normalised);
    NotifyObservers(index);
}

float ParameterSet::GetParameter(int32_t index) const
{
    return ValidIndex(index) ? m_parameters[index]->GetNormalisedValue() : 0.0f;
}

void ParameterSet::SetParameterValue(int32_t index, float plain)
{
    if (!ValidIndex(index) || std::isnan(plain))
        return;
    m_parameters[index]->SetValue(plain);
    NotifyObservers(index);
}

float ParameterSet::GetParameterValue(int32_t index) const
{
    return ValidIndex(index) ? m_parameters[index]->GetValue() : 0.0f;
}

Parameter* ParameterSet::GetParameterObject(int32_t index) const
{
    return ValidIndex(index) ? m_parameters[index] : nullptr;
}

void ParameterSet::GetParameterName(int32_t index, char* buffer, int32_t length) const
{
    if (!ValidIndex(index) || !buffer || length <= 0)
        return;
    strncpy(buffer, m_parameters[index]->GetName(), size_t(length));
    buffer[length - 1] = '\0';
}

float ParameterSet::GetSampleRate() const
{
    return m_listener ? m_listener->GetSampleRate() : 44100.0f;
}

void ParameterSet::AddObserver(ParameterObserver* observer) { m_observers.push_back(observer); }

void ParameterSet::RemoveObserver(ParameterObserver* observer)
{
    std::replace(m_observers.begin(), m_observers.end(), observer, static_cast<ParameterObserver*>(nullptr));
}

void ParameterSet::NotifyObservers(int32_t index)
{
    ++m_depth;
    // Observers appended during the pass wait for the next change; the list may grow (and move)
    // under us, so each entry is read afresh.
    const size_t n = m_observers.size();
    for (size_t k = 0; k < n; ++k) {
        ParameterObserver* observer = m_observers[k];
        if (observer)
            observer->OnParameterChanged(index);
    }
    --m_depth;
    if (m_depth <= 0) {
        m_depth = 0;
        m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), nullptr), m_observers.end());
    }
}

void ParameterSet::SetParameterFromWorker(int32_t index, float normalised)
{
    if (!ValidIndex(index) || !std::isfinite(normalised))
        return;
    m_parameters[index]->SetNormalisedValue(normalised);
    ParameterMailbox::Post(this, index);
}

int ParameterSet::DeliverWorkerChanges() { return ParameterMailbox::Deliver(); }
