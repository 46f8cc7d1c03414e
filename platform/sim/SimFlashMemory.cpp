#include "platform/sim/SimFlashMemory.h"

void SimFlashMemory::Erase(uint32_t address, uint32_t length)
{
    const uint64_t end = uint64_t(address) + length;
    auto first = m_bytes.lower_bound(address);
    auto last = end > 0xFFFFFFFFull ? m_bytes.end() : m_bytes.lower_bound(uint32_t(end));
    m_bytes.erase(first, last);
}

void SimFlashMemory::Program(uint32_t address, const uint8_t* data, uint32_t length)
{
    for (uint32_t i = 0; i < length; ++i) {
        const uint32_t a = address + i;  // wraps as the unit's 32-bit address counter does
        auto it = m_bytes.find(a);
        if (it == m_bytes.end())
            m_bytes.emplace(a, data[i]);
        else
            it->second &= data[i];
    }
}

std::vector<uint8_t> SimFlashMemory::Read(uint32_t address, uint32_t length) const
{
    std::vector<uint8_t> out(length, 0xFF);
    for (uint32_t i = 0; i < length; ++i) {
        auto it = m_bytes.find(address + i);
        if (it != m_bytes.end())
            out[i] = it->second;
    }
    return out;
}

std::vector<std::pair<uint32_t, uint32_t>> SimFlashMemory::ProgrammedRanges() const
{
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    for (const auto& b : m_bytes) {
        if (!runs.empty() && uint64_t(runs.back().first) + runs.back().second == b.first)
            ++runs.back().second;
        else
            runs.push_back({b.first, 1});
    }
    return runs;
}
