#include "CtrlPanel/device/MeterList.h"

namespace {

struct GroupItems {
    int count;
    uint32_t items[6];
    int slots[6];
};

// Indexed by group - 1.
const GroupItems kGroups[kMeterGroups] = {
    {6, {64, 65, 66, 67, 503, 504}, {2, 0, 3, 1, 4, 5}},
    {3, {788, 789, 790}, {6, 7, 8}},
    {3, {791, 792, 793}, {9, 10, 11}},
    {2, {518, 519}, {12, 13}},
    {2, {520, 521}, {14, 15}},
    {1, {1036}, {16}},
    {1, {1037}, {17}},
};

// Items 64..67 are 1.31 levels; the others count up to 65535.
float Scale(uint32_t item, uint32_t raw)
{
    if (item >= 64 && item <= 67)
        return float(raw) * 4.656613e-10f;
    return float(raw) / 65535.0f;
}

}  // namespace

MeterList::MeterList(ItemAccess* items) : m_items(items)
{
    ClearMeters();
    for (uint32_t g = 1; g <= kMeterGroups; ++g)
        m_entries.push_back({g, false});
}

void MeterList::ClearMeters()
{
    for (int i = 0; i < kMeterSlots; ++i)
        SetMeter(i, (i == 7 || i == 10) ? 1.0f : 0.0f);
}

void MeterList::OnDeviceEvent(int event)
{
    ClearMeters();
    if (event != kDeviceEventOpened)
        return;
    const int rate = m_items ? m_items->GetSampleRate() : 0;
    std::lock_guard<std::mutex> lock(m_lock);
    if (rate <= 88200)
        m_countToRead = uint32_t(m_entries.size());
    else if (rate <= 96000)
        m_countToRead = 1;
    else
        m_countToRead = 0;
}

void MeterList::SetEnabled(uint32_t group, bool enabled)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (auto& e : m_entries)
        if (e.group == group)
            e.enabled = enabled;
}

bool MeterList::IsEnabled(uint32_t group) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& e : m_entries)
        if (e.group == group)
            return e.enabled;
    return false;
}

bool MeterList::TakeEntryLocked(uint32_t group)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->group == group) {
            bool enabled = it->enabled;
            m_entries.erase(it);
            return enabled;
        }
    }
    return false;
}

void MeterList::MoveToFront(uint32_t group)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_entries.empty() && m_entries.front().group == group)
        return;
    ClearMeters();
    bool enabled = TakeEntryLocked(group);
    m_entries.insert(m_entries.begin(), {group, enabled});
}

void MeterList::MoveToBack(uint32_t group)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_entries.empty() && m_entries.back().group == group)
        return;
    ClearMeters();
    bool enabled = TakeEntryLocked(group);
    m_entries.push_back({group, enabled});
}

std::vector<MeterEntry> MeterList::Entries() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_entries;
}

void MeterList::SetDisabled(bool disabled)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_disabled = disabled;
    if (disabled)
        ClearMeters();
}

int MeterList::ReadMeters()
{
    if (m_disabled)
        return 0;
    bool wanted[kMeterGroups + 1] = {};
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const size_t n = std::min<size_t>(m_countToRead, m_entries.size());
        for (size_t i = 0; i < n; ++i)
            if (m_entries[i].group >= 1 && m_entries[i].group <= kMeterGroups && m_entries[i].enabled)
                wanted[m_entries[i].group] = true;
    }
    ItemValue pairs[kMeterSlots];
    int slots[kMeterSlots];
    uint32_t count = 0;
    for (int g = 1; g <= kMeterGroups; ++g) {
        if (!wanted[g])
            continue;
        for (int i = 0; i < kGroups[g - 1].count; ++i) {
            pairs[count] = {kGroups[g - 1].items[i], 0};
            slots[count] = kGroups[g - 1].slots[i];
            ++count;
        }
    }
    if (count == 0)
        return 0;
    // The AV/C answer may rename items; the slot follows the position in the request.
    uint32_t requested[kMeterSlots];
    for (uint32_t i = 0; i < count; ++i)
        requested[i] = pairs[i].item;
    if (!m_items || m_items->GetValues(pairs, count) != 0)
        return -1;
    // Stored under the lock: a window move or the switch going off that clears the meters is not
    // overwritten by a read that was under way.
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_disabled)
        return 0;
    for (uint32_t i = 0; i < count; ++i)
        SetMeter(slots[i], Scale(requested[i], pairs[i].value));
    return int(count);
}
