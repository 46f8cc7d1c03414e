#include <gtest/gtest.h>

#include "unit/layers/LayerRules.h"

#include <cstdlib>

namespace {

std::string SourceDir()
{
    const char* dir = std::getenv("VELBRIN_SOURCE_DIR");
    const std::string file = __FILE__;
    return dir ? dir : file.substr(0, file.rfind("/tests/"));
}

TEST(LayerRules, TheSourceTreeKeepsTheLayering)
{
    std::vector<int> filesPerRule;
    for (const LayerRules::Breach& b : LayerRules::CheckTree(SourceDir(), &filesPerRule))
        ADD_FAILURE() << b.file << ":" << b.line << " includes " << b.included << " (" << b.rule << ")";
    const std::vector<std::string> names = LayerRules::RuleNames();
    ASSERT_EQ(filesPerRule.size(), names.size());
    for (size_t r = 0; r < names.size(); ++r)
        EXPECT_GT(filesPerRule[r], 0) << "no file under " << SourceDir() << " is bound by: " << names[r];
}

TEST(LayerRules, AnIncludeAcrossALayerIsABreach)
{
    const struct {
        const char* file;
        const char* included;
        bool breach;
    } cases[] = {
        {"PAL/ParameterSet.cpp", "PAL/Parameter.h", false},
        {"PAL/ViewLib/flKnob.cpp", "CtrlPanel/VelbrinHAL.h", true},
        {"PAL/ViewLib/flKnob.cpp", "PAL/wx/SkinWindow.h", true},
        {"PAL/BitmapCache.cpp", "wx/bitmap.h", true},
        {"PAL/BitmapCache.cpp", "wx/thread.h", false},
        {"CtrlPanel/device/MeterList.cpp", "CtrlPanel/device/ItemAccess.h", false},
        {"CtrlPanel/device/MeterList.cpp", "CtrlPanel/VelbrinHAL.h", true},
        {"CtrlPanel/device/avcThread.cpp", "CtrlPanel/effects/MixEngine.h", true},
        {"CtrlPanel/device/avcThread.cpp", "PAL/ViewLib/View.h", true},
        {"CtrlPanel/device/avcThread.cpp", "PAL/MeterLevels.h", false},
        {"CtrlPanel/device/avcThread.cpp", "PAL/wx/WindowTicker.h", true},
        {"CtrlPanel/device/avcThread.h", "wx/frame.h", true},
        {"CtrlPanel/device/avcThread.h", "wx/thread.h", false},
        {"CtrlPanel/effects/EqPanel.cpp", "CtrlPanel/VelbrinHAL.h", false},
        {"CtrlPanel/effects/EqPanel.cpp", "CtrlPanel/AppCore.h", true},
        {"CtrlPanel/VelbrinControlApp.cpp", "platform/sim/SimBackends.h", false},
        {"CtrlPanel/VelbrinControlApp.cpp", "platform/sim/SimScenario.h", true},
        {"CtrlPanel/AppCore.cpp", "platform/sim/SimBackends.h", true},
        {"CtrlPanel/device/FireWireSession.cpp", "platform/sim/SimFireWireBus.h", true},
        {"platform/FireWireBus.cpp", "platform/sim/SimFireWireBus.h", true},
        {"platform/FireWireBus.cpp", "PAL/ResourceArchive.h", true},
        {"platform/sim/SimScenario.cpp", "platform/sim/SimVelbrin.h", false},
        {"platform/sim/SimScenario.cpp", "CtrlPanel/VelbrinHAL.h", true},
        {"PAL/wx/SkinWindow.cpp", "PAL/ViewLib/View.h", false},
        {"PAL/wx/SkinWindow.cpp", "platform/wx/WxClipboard.h", false},
        {"PAL/ViewLib/flKnob.cpp", "PAL/wx/SkinWindow.h", true},
        {"platform/wx/WxClipboard.cpp", "PAL/Bitmap.h", true},
        {"platform/helper/DriverHelper.cpp", "platform/Clock.h", true},
        {"resources/layouts/MainLayout.cpp", "PAL/LayoutTables.h", false},
        {"resources/artwork/Backdrops.cpp", "PAL/ViewLib/View.h", true},
        {"CtrlPanel/firmware/DriverManager.cpp", "CtrlPanel/device/FireWireSession.h", false},
        {"CtrlPanel/firmware/DriverManager.cpp", "CtrlPanel/VelbrinHAL.h", true},
        {"CtrlPanel/firmware/DriverManager.cpp", "PAL/Parameter.h", true},
        {"tools/viewer/ViewerApp.cpp", "CtrlPanel/VelbrinHAL.h", false},
        {"tools/viewer/ViewerApp.cpp", "tests/support/GuiPump.h", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!LayerRules::Check(c.file, c.included).empty(), c.breach) << c.file << " includes " << c.included;
}

}  // namespace
