#include "CtrlPanel/device/ParamWriter.h"

#include <atomic>
#include <cmath>

namespace {
std::atomic<MeterList*> g_sharedMeterList{nullptr};
}

ParamWriter::ParamWriter(uint32_t baseItem, uint32_t count)
    : m_baseItem(baseItem), m_count(count), m_entries(new ParamEntry[count])
{
    for (uint32_t i = 0; i < count; ++i)
        m_entries[i] = ParamEntry{baseItem + i, 0, 0, 0};
    m_firstDirty = count;
}

ParamWriter::~ParamWriter() = default;

uint32_t ParamWriter::ToFixed(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 1.0f)
        return 0x7FFFFFFFu;
    if (value <= -1.0f)
        return uint32_t(-0x7FFFFFFF);
    return uint32_t(int32_t(double(value) * 2147483647.0));
}

void ParamWriter::StoreLocked(uint32_t index, uint32_t value)
{
    if (index >= m_count)
        return;
    ParamEntry& e = m_entries[index];
    e.value = value;
    e.held = 1;
    if (!e.dirty) {
        e.dirty = 1;
        ++m_pending;
        if (index < m_firstDirty)
            m_firstDirty = index;
    }
}

bool ParamWriter::PopOneLocked(ItemValue& out)
{
    for (uint32_t i = m_firstDirty; i < m_count; ++i) {
        ParamEntry& e = m_entries[i];
        if (!e.dirty)
            continue;
        // The flag is cleared before the value is read, so a value stored after this read marks
        // the entry dirty again and goes out in a later pop.
        e.dirty = 0;
        --m_pending;
        out = ItemValue{e.item, e.value};
        m_firstDirty = m_pending ? i + 1 : m_count;
        return true;
    }
    m_firstDirty = m_count;
    return false;
}

void ParamWriter::MarkHeldPending()
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (uint32_t i = 0; i < m_count; ++i) {
        ParamEntry& e = m_entries[i];
        if (!e.held || e.dirty)
            continue;
        e.dirty = 1;
        ++m_pending;
        if (i < m_firstDirty)
            m_firstDirty = i;
    }
}

uint32_t ParamWriter::GetPendingCount()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_enabled ? m_pending : 0;
}

ItemValue ParamWriter::PopPending()
{
    std::lock_guard<std::mutex> hold(m_lock);
    ItemValue pair{0, 0};
    PopOneLocked(pair);
    return pair;
}

uint32_t ParamWriter::PopPending(ItemValue* out, uint32_t max)
{
    std::lock_guard<std::mutex> hold(m_lock);
    uint32_t n = 0;
    while (n < max && PopOneLocked(out[n]))
        ++n;
    return n;
}

void ParamWriter::SetValue(uint32_t index, uint32_t value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    StoreLocked(index, value);
}

void ParamWriter::SetFloat(uint32_t index, float value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    StoreLocked(index, ToFixed(value));
}

void ParamWriter::SetFloats(uint32_t first, const float* values, int n)
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (int i = 0; i < n; ++i) {
        uint64_t index = uint64_t(first) + uint64_t(i);
        if (index >= m_count)
            break;
        StoreLocked(uint32_t(index), ToFixed(values[i]));
    }
}

void ParamWriter::SetFloatArray(uint32_t first, const float* values, int n)
{
    SetFloats(first, values, n);
}

void ParamWriter::Trigger(uint32_t index)
{
    SetValue(index, 1);
}

void ParamWriter::SetCoefficientSet(uint32_t first, const CoefficientSet& set)
{
    std::lock_guard<std::mutex> hold(m_lock);
    uint64_t commit = uint64_t(first) + kSetCommitOffset;
    if (commit >= m_count)
        return;  // a set without its commit is never written
    StoreLocked(first + kSetShiftOffset, uint32_t(set.shift));
    for (uint32_t i = 0; i < 3; ++i)
        StoreLocked(first + kSetNumeratorOffset + i, ToFixed(set.b[i]));
    for (uint32_t i = 0; i < 2; ++i)
        StoreLocked(first + kSetDenominatorOffset + i, ToFixed(set.a[1 + i]));
    StoreLocked(uint32_t(commit), 1);
}

void ParamWriter::SetFloatsAndTrigger(uint32_t first, const float* values, int n,
                                      uint32_t commitIndex)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (commitIndex >= m_count)
        return;
    for (int i = 0; i < n; ++i) {
        uint64_t index = uint64_t(first) + uint64_t(i);
        if (index >= m_count)
            break;
        StoreLocked(uint32_t(index), ToFixed(values[i]));
    }
    StoreLocked(commitIndex, 1);
}

void ParamWriter::SetEnabled(bool enabled)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_enabled = enabled;
}

bool ParamWriter::IsEnabled() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_enabled;
}

MeterList* ParamWriter::GetMeterList() { return g_sharedMeterList.load(); }

void ParamWriter::SetSharedMeterList(MeterList* meters) { g_sharedMeterList.store(meters); }
