// The descriptor check on every descriptor table the program builds a set from.
#include <gtest/gtest.h>

#include "PAL/ParamDescriptorCheck.h"
#include "resources/params/AmpSimParamDescriptors.h"
#include "resources/params/CustomCueMixParamDescriptors.h"
#include "resources/params/CustomMixParamDescriptors.h"
#include "resources/params/MainParamDescriptors.h"
#include "resources/params/ReverbParamDescriptors.h"
#include "resources/params/SampleRateParamDescriptors.h"
#if __has_include("resources/params/CompressorParamDescriptors.h")
#include "resources/params/CompressorParamDescriptors.h"
#define VELBRIN_HAS_COMPRESSOR_TABLE 1
#endif
#if __has_include("resources/params/EqParamDescriptors.h")
#include "resources/params/EqParamDescriptors.h"
#define VELBRIN_HAS_EQ_TABLE 1
#endif

namespace {

struct Table {
    const char* name;
    const ParamDescriptor* descriptors;
    int count;
};

// Every set's table; a new panel adds its own here. The compressor's and the EQ's join as soon as
// their headers exist, under the names kCompressorParamDescriptors / kCompressorParamCount and
// kEqParamDescriptors / kEqParamCount.
const Table kTables[] = {
    {"main", kMainParamDescriptors, kMainParamCount},
    {"reverb", kReverbParamDescriptors, kReverbParamCount},
    {"amp simulator", kAmpSimParamDescriptors, kAmpSimParamCount},
    {"custom input mix", kCustomMixParamDescriptors, kCustomMixParamCount},
    {"custom playback mix", kCustomCueMixParamDescriptors, kCustomCueMixParamCount},
    {"sample rate", kSampleRateParamDescriptors, kSampleRateParamCount},
#ifdef VELBRIN_HAS_COMPRESSOR_TABLE
    {"compressor", kCompressorParamDescriptors, kCompressorParamCount},
#endif
#ifdef VELBRIN_HAS_EQ_TABLE
    {"EQ", kEqParamDescriptors, kEqParamCount},
#endif
};

TEST(DescriptorTables, EveryTableOfTheProgramPassesTheDescriptorCheck)
{
    for (const Table& t : kTables) {
        EXPECT_GT(t.count, 0) << t.name;
        EXPECT_EQ(CheckParamDescriptorTable(t.descriptors, t.count), "") << t.name;
    }
}

}  // namespace
