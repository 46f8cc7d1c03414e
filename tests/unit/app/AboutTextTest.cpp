// The About box's text on the simulated unit.
#include <gtest/gtest.h>

#include "CtrlPanel/AboutText.h"
#include "support/HalFixture.h"

namespace {

const std::string kHead = "VelbrinControl Version 2.3b1  (build 7630)\n\n";
const std::string kTail = std::string("\n") + AboutText::kNotice;

}  // namespace

TEST_F(HalTest, AboutNamesTheFirmwareAndTheDspVersions)
{
    unit.SetFirmwareVersion(1, 7, 6012);
    const struct {
        uint32_t dspVersion;
        std::string dspLine;
    } cases[] = {
        {4600, "DSP firmware Version 3.9 (build 4600)\n"},
        {0x8000 | 4601, "DSP firmware Version 3.9 (build 4601M)\n"},
    };
    OpenHal();
    for (const auto& c : cases) {
        unit.SetDspVersion(c.dspVersion, 3, 9);
        EXPECT_EQ(AboutText::Build(hal), kHead + "Velbrin firmware Version 1.7  (build 6012)\n" + c.dspLine + kTail);
    }
}

TEST_F(HalTest, AboutSaysWhenNoUnitIsConnected)
{
    EXPECT_EQ(AboutText::Build(nullptr), kHead + "No Velbrin connected\n" + kTail);
    MakeHal();
    EXPECT_EQ(AboutText::Build(hal), kHead + "No Velbrin connected\n" + kTail);
}
