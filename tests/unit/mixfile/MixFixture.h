#pragma once
// The nine parameter sets of a mix file (the main window's and the eight effect panels', with their
// real parameter counts) behind linking page controllers, a mix file on a recording message sink, and
// helpers that edit a written image and keep its checksums right.

#include <gtest/gtest.h>

#include "CtrlPanel/MixFile.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/ByteOrder.h"
#include "support/RecordingMessageSink.h"
#include "support/TempFolder.h"

#include <csignal>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <vector>

// Block k's parameter count: main, reverb 1, EQ 1, EQ 2, compressor 1, 2, amp simulator 1, 2, reverb 2.
inline const std::vector<int32_t> kMixCounts = {164, 4, 27, 27, 11, 11, 7, 7, 4};

inline std::vector<ParamDescriptor> UnitDescriptors(int32_t count)
{
    std::vector<ParamDescriptor> table(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        table[size_t(i)] = ParamDescriptor{i, "", 0.0f, 1.0f, 0.25f, UnitNone, TaperLinear};
        snprintf(table[size_t(i)].name, kParamNameSize, "p%d", i);
    }
    return table;
}

// An image as host-order words, with the sums recomputed independently of the code under test.
struct MixWords {
    std::vector<uint32_t> w;
    size_t trailing = 0;  // bytes after the last whole word

    static MixWords From(const std::vector<uint8_t>& bytes)
    {
        MixWords m;
        for (size_t i = 0; i + 4 <= bytes.size(); i += 4)
            m.w.push_back(GetLE32(&bytes[i]));
        m.trailing = bytes.size() % 4;
        return m;
    }
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> bytes(4 * w.size() + trailing, 0xA5);
        for (size_t i = 0; i < w.size(); ++i)
            PutLE32(&bytes[4 * i], w[i]);
        return bytes;
    }
    // Word offset of block k when the blocks follow each other from byte 20.
    size_t BlockAt(size_t k) const
    {
        size_t at = 5;
        for (size_t i = 0; i < k; ++i)
            at += w[at + 1] / 4;
        return at;
    }
    void FixBlockSum(size_t at)
    {
        uint32_t sum = 0;
        for (size_t i = 0; i < w[at + 1] / 4; ++i)
            sum += i == 2 ? 0 : w[at + i];
        w[at + 2] = sum;
    }
    void FixLengthAndSum()
    {
        w[2] = uint32_t(4 * w.size());
        uint32_t sum = 0;
        for (size_t i = 0; i < w.size(); ++i)
            sum += i == 3 ? 0 : w[i];
        w[3] = sum;
    }
};

inline uint32_t Bits(float f)
{
    uint32_t u;
    memcpy(&u, &f, 4);
    return u;
}

inline float FromBits(uint32_t u)
{
    float f;
    memcpy(&f, &u, 4);
    return f;
}

// Lets files of this process grow to at most limit bytes while it lives: a write past it fails
// (EFBIG) as on a full disk, whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit reduced = m_saved;
        reduced.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved;
    void (*m_handler)(int);
};

class MixFileTest : public ::testing::Test {
protected:
    MixFileTest()
    {
        tables.reserve(kMixCounts.size());
        for (int32_t n : kMixCounts) {
            tables.push_back(UnitDescriptors(n));
            sets.push_back(std::make_unique<ParameterSet>(tables.back().data(), n));
            controllers.push_back(std::make_unique<PageController>(sets.back().get(), nullptr));
        }
        std::vector<PageController*> list;
        for (auto& c : controllers)
            list.push_back(c.get());
        mix.SetControllers(list);
        mix.SetStoreHook([this] { ++stores; });
    }

    // Gives every parameter of every set its own value: k / 10 + i / 1000.
    void SetDistinctValues()
    {
        for (size_t k = 0; k < sets.size(); ++k)
            for (int32_t i = 0; i < kMixCounts[k]; ++i)
                sets[k]->SetParameter(i, float(k) / 10.0f + float(i) / 1000.0f);
    }
    // Every value of every set, as bits.
    std::vector<std::vector<uint32_t>> Snapshot() const
    {
        std::vector<std::vector<uint32_t>> all;
        for (size_t k = 0; k < sets.size(); ++k) {
            all.emplace_back();
            for (int32_t i = 0; i < kMixCounts[k]; ++i)
                all.back().push_back(Bits(sets[k]->GetParameter(i)));
        }
        return all;
    }
    void ResetAll(float value)
    {
        for (size_t k = 0; k < sets.size(); ++k)
            for (int32_t i = 0; i < kMixCounts[k]; ++i)
                sets[k]->SetParameter(i, value);
    }
    MixLoadResult LoadBytes(const std::vector<uint8_t>& bytes, bool silent)
    {
        const std::string path = folder / "load.vlbx";
        TempFolder::Write(path, bytes);
        return mix.LoadMixFile(path, silent);
    }

    std::vector<std::vector<ParamDescriptor>> tables;
    std::vector<std::unique_ptr<ParameterSet>> sets;
    std::vector<std::unique_ptr<PageController>> controllers;
    RecordingMessageSink messages;
    MixFile mix{messages};
    TempFolder folder;
    int stores = 0;
};

inline const char* const kTooOld =
    "Error|Sorry, but this file is too old, and is no longer supported! We've had to change the file format to "
    "make it more robust and work better! Any new files you create will work ok though.";
inline const char* const kWrongLength = "Error|This file has the wrong length.";
inline const char* const kCorrupt = "Error|This file is corrupt.";
