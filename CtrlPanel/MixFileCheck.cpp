#include "CtrlPanel/MixFileCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>

MixFileCheck::MixFileCheck(std::vector<int32_t> counts) : m_counts(std::move(counts))
{
    for (int32_t& n : m_counts)
        n = std::max(n, 0);
}

size_t MixFileCheck::MaxFileSize() const
{
    int32_t largest = 0;
    for (int32_t n : m_counts)
        largest = std::max(largest, n);
    return kHeaderBytes + m_counts.size() * (kBlockHeaderBytes + 4 * size_t(largest)) + 3;
}

uint32_t MixFileCheck::Sum(const uint32_t* words, size_t count, size_t skip)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += i == skip ? 0 : words[i];
    return sum;
}

MixLoadResult MixFileCheck::Check(uint32_t magic, uint32_t version, const std::vector<uint32_t>& words,
                                  size_t size) const
{
    if (size < kHeaderBytes || words.size() < kHeaderBytes / 4)
        return MixLoadResult::TooOld;
    if (words[0] != magic || words[1] != version)
        return MixLoadResult::TooOld;
    const size_t length = words[2];
    if (length != size / 4 * 4)
        return MixLoadResult::WrongLength;
    if (size > MaxFileSize() || words.size() != size / 4)
        return MixLoadResult::Corrupt;
    if (Sum(words.data(), words.size(), 3) != words[3])
        return MixLoadResult::Corrupt;
    const int32_t count = int32_t(words[4]);
    size_t offset = kHeaderBytes;
    for (int32_t k = 0; k < count; ++k) {
        const uint32_t blockLength = CheckBlock(words, offset, length);
        if (blockLength == 0)
            return MixLoadResult::Corrupt;
        offset += blockLength;
    }
    return MixLoadResult::Loaded;
}

uint32_t MixFileCheck::CheckBlock(const std::vector<uint32_t>& words, size_t offset, size_t length) const
{
    if (offset + kBlockHeaderBytes > length)
        return 0;
    const uint32_t* block = &words[offset / 4];
    const uint32_t index = block[0];
    const uint32_t blockLength = block[1];
    if (index >= m_counts.size() || blockLength < kBlockHeaderBytes || blockLength % 4 != 0 ||
        blockLength > length - offset)
        return 0;
    const size_t values = (blockLength - kBlockHeaderBytes) / 4;
    if (values > size_t(m_counts[index]))
        return 0;
    if (Sum(block, blockLength / 4, 2) != block[2])
        return 0;
    for (size_t i = 0; i < values; ++i) {
        float value;
        memcpy(&value, &block[3 + i], sizeof value);
        if (!std::isfinite(value))
            return 0;
    }
    return blockLength;
}
