// The descriptor check on every descriptor table the program builds a set from.
#include <gtest/gtest.h>

#include "PAL/ParamDescriptorCheck.h"
#include "resources/params/AmpSimParamDescriptors.h"
#include "resources/params/CompressorParamDescriptors.h"
#include "resources/params/CustomCueMixParamDescriptors.h"
#include "resources/params/CustomMixParamDescriptors.h"
#include "resources/params/EqParamDescriptors.h"
#include "resources/params/MainParamDescriptors.h"
#include "resources/params/ReverbParamDescriptors.h"
#include "resources/params/SampleRateParamDescriptors.h"

namespace {

struct Table {
    const char* name;
    const ParamDescriptor* descriptors;
    int count;
};

// Every set's table; a new panel adds its own here.
const Table kTables[] = {
    {"main", kMainParamDescriptors, kMainParamCount},
    {"reverb", kReverbParamDescriptors, kReverbParamCount},
    {"amp simulator", kAmpSimParamDescriptors, kAmpSimParamCount},
    {"custom input mix", kCustomMixParamDescriptors, kCustomMixParamCount},
    {"custom playback mix", kCustomCueMixParamDescriptors, kCustomCueMixParamCount},
    {"sample rate", kSampleRateParamDescriptors, kSampleRateParamCount},
    {"compressor", kCompressorParamDescriptors, kCompressorParamCount},
    {"EQ", kEqParamDescriptors, kEqParamCount},
};

TEST(DescriptorTables, EveryTableOfTheProgramPassesTheDescriptorCheck)
{
    for (const Table& t : kTables) {
        EXPECT_GT(t.count, 0) << t.name;
        EXPECT_EQ(CheckParamDescriptorTable(t.descriptors, t.count), "") << t.name;
    }
}

}  // namespace
