// Trays: the image a value selects, groups hidden or covered so that their children are no longer
// hit, the stereo cover's mirrored column, and covers drawn from the real artwork.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/flTray.h"
#include "PAL/ViewLib/flTray3.h"
#include "PAL/ViewLib/flTray4.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/knobs/ComposeProbe.h"
#include "unit/params/ParamTestSupport.h"

namespace {

// Parameters: 0 the knob, 1 and 2 the tray's.
std::vector<ParamDescriptor> Params(float first, float second = 0.0f)
{
    return {MakeDescriptor("Knob", 0, 1, 0.5f, UnitNone, TaperLinear, 0),
            MakeDescriptor("First", 0, 1, first, UnitNone, TaperLinear, 1),
            MakeDescriptor("Second", 0, 1, second, UnitNone, TaperLinear, 2)};
}

// A tray (control 1) at the place of a main-window reverb grey-out with a knob (control 2) inside,
// and a plain view (control 3) after it that lies under both.
TestPage TrayPage(const char* cls, const char* strings, std::vector<ParamDescriptor> params,
                  std::initializer_list<int32_t> bound = {1}, Rect tray = {75, 123, 232, 268})
{
    return TestPage(std::move(params),
                    {Record(0, {0, 640, 0, 404}, "View", -1, ""), Record(1, tray, cls, 0, strings, bound),
                     Record(2, {92, 119, 235, 260}, "flKnob", 1, "", {0}), Record(3, {0, 640, 0, 404}, "View", 0, "")},
                    640, 404);
}

// Turns the knob by a press and a drag of 40 pixels upward; true when it moved.
bool KnobTurns(TestPage& t)
{
    const float before = t.set.GetParameter(0);
    t.Press(100, 250);
    t.MoveTo(100, 210);
    t.Release();
    const bool moved = t.set.GetParameter(0) != before;
    t.set.SetParameter(0, before);
    return moved;
}

TEST(Tray, TheValueSelectsOneOfTwoImages)
{
    const struct {
        float value;
        int32_t image;
    } cases[] = {{0.0f, 0}, {0.999f, 0}, {1.0f, 1}, {7.0f, 1}, {-1.0f, 0}, {NAN, 0}, {INFINITY, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(flTray::ImageOf(c.value), c.image) << c.value;

}

TEST(Tray, AHiddenGroupNeitherDrawsNorTakesClicks)
{
    ASSERT_TRUE(LoadRealArchive());
    // Mode 1 shows the group while its parameter is 1.0, mode 0 while it is 0.0.
    for (const char* mode : {"0", "1"}) {
        for (float value : {0.0f, 1.0f}) {
            const std::string strings = std::string("OutputStereoCover.bmp\n") + mode;
            TestPage t = TrayPage("flTray2", strings.c_str(), Params(value));
            const bool shown = value == float(mode[0] - '0');
            EXPECT_EQ(t.V(1)->IsHidden(), !shown) << mode << " " << value;
            EXPECT_EQ(KnobTurns(t), shown) << mode << " " << value;
            FillColour(t.window.buffer, 0x123456);
            t.window.changed.clear();
            t.page->Paint();
            EXPECT_EQ(t.window.changed.empty(), !shown) << mode << " " << value;
        }
    }
}

TEST(Tray, AnActiveCoverTakesEveryClickResetsNothingAndIsBlendedOverItsChildren)
{
    ASSERT_TRUE(LoadRealArchive());
    const char* const kCover = "ReverbGreyOut.bmp\nReverbGreyOutMask.bmp\nBackground.bmp";
    const std::string inverted = std::string(kCover) + "\nINVERT";
    const struct {
        std::string strings;
        float first, second;
        bool active;
    } cases[] = {
        {kCover, 0, 0, false},   {kCover, 1, 0, true},    {kCover, 1, 1, false},
        {inverted, 0, 0, true},  {inverted, 0, 1, false}, {inverted, 1, 0, false},
        {inverted + "ED", 0, 0, false}, {inverted + "\nx", 0, 0, true},
    };
    for (const auto& c : cases) {
        // Defaults other than the values: a reset would show.
        TestPage t = TrayPage("flTray4", c.strings.c_str(), Params(0.25f, 0.25f), {1, 2});
        t.set.SetParameter(1, c.first);
        t.set.SetParameter(2, c.second);
        const std::string what = c.strings + " " + std::to_string(c.first) + " " + std::to_string(c.second);
        EXPECT_EQ(t.As<flTray4>(1)->IsActive(), c.active) << what;
        EXPECT_EQ(t.page->GetRoot()->FindViewAt(100, 250), c.active ? t.V(1) : t.V(2)) << what;
        EXPECT_EQ(KnobTurns(t), !c.active) << what;
        t.page->Paint();
        if (c.active) {
            EXPECT_GT(ExpectOpaqueShows(t.window.buffer, 75, 232, *BitmapCache::Get("ReverbGreyOut.bmp"), 0, 0,
                                        *BitmapCache::Get("ReverbGreyOutMask.bmp"), 0, 0, 48, 36, what),
                      0);
        }

        // An Option-click on the cover changes nothing; on a free knob it resets the knob.
        t.set.SetParameter(0, 0.9f);
        t.window.input.option = true;
        t.Click(100, 250);
        EXPECT_EQ(t.set.GetParameter(0), c.active ? 0.9f : 0.5f) << what;
        EXPECT_EQ(t.set.GetParameter(1), c.first) << what;
        EXPECT_EQ(t.set.GetParameter(2), c.second) << what;
    }
}

TEST(Tray, TheStereoCoverBlocksTheSecondColumnAndMirrorsTheFirst)
{
    ASSERT_TRUE(LoadRealArchive());
    const Rect tray = {33, 185, 31, 156};  // the main window's effect section
    TestPage t(Params(0.0f),
               {Record(0, {0, 640, 0, 404}, "View", -1, ""),
                Record(1, tray, "flTray3", 0, "InputStereoCover.bmp\nInputStereoCoverMask.bmp\nBackground.bmp", {1}),
                Record(2, {33, 62, 31, 148}, "flTray", 1, "Tray1.bmp\nTray2.bmp", {2}),
                Record(3, {110, 140, 60, 90}, "flKnob", 1, "", {0}), Record(4, {0, 640, 0, 404}, "View", 0, "")},
               640, 404);
    View* root = t.page->GetRoot();
    EXPECT_EQ(root->FindViewAt(127, 70), t.V(3));
    t.set.SetParameter(1, 1.0f);
    EXPECT_EQ(root->FindViewAt(126, 70), t.V(3));
    EXPECT_EQ(root->FindViewAt(127, 70), t.V(4));  // the search goes on with the tray's later siblings
    EXPECT_EQ(root->FindViewAt(60, 70), t.V(2));

    t.page->Paint();
    // The second column shows the first through the tinted cover.
    const Bitmap* cover = BitmapCache::Get("InputStereoCover.bmp");
    const Bitmap* mask = BitmapCache::Get("InputStereoCoverMask.bmp");
    ASSERT_TRUE(cover && mask);
    for (int32_t j = 4; j < 121; ++j)
        for (int32_t i = 0; i < 45; ++i)
            ASSERT_EQ(t.window.buffer.GetPixel(tray.left + 93 + i, tray.top + j),
                      Blend(cover->GetPixel(i, j), t.window.buffer.GetPixel(tray.left + i, tray.top + j),
                            mask->GetPixel(i, j)))
                << i << "," << j;
}

}  // namespace
