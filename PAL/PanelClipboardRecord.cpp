#include "PAL/PanelClipboardRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "PAL/ParameterSet.h"

static_assert(sizeof(float) == 4, "clipboard values are 32-bit floats");

PanelClipboardRecord::PanelClipboardRecord(uint32_t flavor, std::vector<float> values)
    : m_flavor(flavor), m_values(std::move(values))
{
}

uint32_t PanelClipboardRecord::FlavorOf(const char* tag)
{
    uint32_t flavor = 0;
    for (int i = 0; tag && i < 4 && tag[i] && tag[i] != '\n'; ++i)
        flavor |= uint32_t(uint8_t(tag[i])) << (8 * i);
    return flavor;
}

PanelClipboardRecord PanelClipboardRecord::FromSet(uint32_t flavor, const ParameterSet& set)
{
    std::vector<float> values(size_t(std::max(set.GetParameterCount(), 0)));
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = set.GetParameter(int32_t(i));
    return PanelClipboardRecord(flavor, std::move(values));
}

std::optional<PanelClipboardRecord> PanelClipboardRecord::Parse(const void* data, size_t size, uint32_t flavor,
                                                                uint32_t count)
{
    if (!data || size != SizeFor(count))
        return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint32_t header[2];
    std::memcpy(header, bytes, sizeof header);
    if (header[0] != flavor || header[1] != count)
        return std::nullopt;
    std::vector<float> values(count);
    std::memcpy(values.data(), bytes + kHeaderSize, 4 * size_t(count));
    for (float& value : values) {
        if (!std::isfinite(value))
            return std::nullopt;
        value = std::clamp(value, 0.0f, 1.0f);
    }
    return PanelClipboardRecord(flavor, std::move(values));
}

std::vector<uint8_t> PanelClipboardRecord::Bytes() const
{
    std::vector<uint8_t> bytes(SizeFor(m_values.size()));
    const uint32_t header[2] = {m_flavor, uint32_t(m_values.size())};
    std::memcpy(bytes.data(), header, sizeof header);
    if (!m_values.empty())
        std::memcpy(bytes.data() + kHeaderSize, m_values.data(), 4 * m_values.size());
    return bytes;
}

void PanelClipboardRecord::ApplyTo(ParameterSet& set) const
{
    const size_t n = std::min(m_values.size(), size_t(std::max(set.GetParameterCount(), 0)));
    for (size_t i = 0; i < n; ++i)
        set.SetParameter(int32_t(i), m_values[i]);
}
