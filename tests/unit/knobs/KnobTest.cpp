// Knobs: the frame of a value, the drag law of the plain, mode and lock knobs, the text knob's label,
// and knobs composed from the real strips.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ParameterListener.h"
#include "PAL/ViewLib/flKnob.h"
#include "PAL/ViewLib/flKnob2.h"
#include "PAL/ViewLib/flKnob3.h"
#include "PAL/ViewLib/flTextKnob.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/knobs/ComposeProbe.h"
#include "unit/params/ParamTestSupport.h"

namespace {

const char* const kStrips = "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp";
constexpr Rect kKnob = {40, 67, 192, 217};  // a main-window knob

// Parameters: 0 the value, 1 the mode or lock, 2 the tray's switch (shown at 1).
std::vector<ParamDescriptor> Params(float value = 0.5f, float second = 1.0f)
{
    return {MakeDescriptor("Value", 0, 1, value, UnitNone, TaperLinear, 0),
            MakeDescriptor("Second", 0, 1, second, UnitNone, TaperLinear, 1),
            MakeDescriptor("Shown", 0, 1, 1, UnitNone, TaperLinear, 2)};
}

// The knob is control 2; its parent (control 1) is an flTray2 showing "OutputStereoCover.bmp" for an
// flKnob2 (or trayImage), a plain view otherwise.
TestPage KnobPage(const std::string& cls, const std::string& strings, std::vector<ParamDescriptor> params,
                  const char* trayImage = "OutputStereoCover.bmp")
{
    const bool mode = cls == "flKnob2";
    const std::string tray = std::string(trayImage) + "\n1";
    const bool single = cls == "flKnob" || cls == "flTextKnob";
    std::vector<LayoutRecord> table = {
        Record(0, {0, 640, 0, 404}, "View", -1, ""),
        mode ? Record(1, {18, 128, 172, 231}, "flTray2", 0, tray.c_str(), {2})
             : Record(1, {0, 640, 0, 404}, "View", 0, ""),
        single ? Record(2, kKnob, cls.c_str(), 1, strings.c_str(), {0})
               : Record(2, kKnob, cls.c_str(), 1, strings.c_str(), {0, 1})};
    // The argument texts are read while the page is built, inside this call.
    return TestPage(std::move(params), std::move(table), 640, 404);
}

TEST(KnobFrames, ValuesMapToTheFramesOfA270DegreeSweep)
{
    const struct {
        float degrees;  // from the centre
        int32_t frame;
    } cases[] = {{0, 14},  {2.4f, 14}, {-2.4f, 14}, {2.6f, 15},  {-2.6f, 13},  {9.9f, 15},  {10.1f, 16},
                 {-10.1f, 12}, {20.1f, 17}, {-20.1f, 11}, {-135, 0}, {135, 28}, {-900, 0}, {1800, 28}};
    for (const auto& c : cases)
        EXPECT_EQ(flKnob::FrameOf(0.5f + c.degrees / 270), c.frame) << c.degrees;
    EXPECT_EQ(flKnob::FrameOf(NAN), 0);
    EXPECT_EQ(flKnob::FrameOf(INFINITY), 28);
}

struct WriteCounter : ParameterListener {
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t index) override { writes += index == 0; }
    int writes = 0;
};

TEST(KnobDrag, TheDominantAxisMovesTheValueAt200PixelsPerRange)
{
    struct Move {
        int32_t right, up;  // pointer position relative to the press
    };
    const struct {
        const char* cls;
        float mode, start;
        std::vector<Move> moves;
        bool shift;
        float expected;
    } cases[] = {
        {"flKnob", 1, 0.5f, {{0, 100}}, false, 1.0f},   {"flKnob", 1, 0.5f, {{30, 40}}, false, 0.7f},
        {"flKnob", 1, 0.5f, {{40, -40}}, false, 0.3f},  // a tie goes to the vertical
        {"flKnob", 1, 0.5f, {{40, -30}}, false, 0.7f},  {"flKnob", 1, 0.5f, {{-10, -40}}, false, 0.3f},
        {"flKnob", 1, 0.5f, {{0, 100}}, true, 0.6f},    // Shift: 1000 pixels per range
        {"flKnob", 1, 0.5f, {{0, 20}, {0, 40}}, false, 0.7f}, {"flKnob", 1, 0.2f, {{0, -100}}, false, 0.0f},
        {"flKnob3", 0, 0.5f, {{30, 40}}, false, 0.7f},  {"flKnob2", 1, 0.5f, {{30, 40}}, false, 0.7f},
        {"flKnob2", 1, 0.5f, {{0, 100}}, true, 0.6f},
        {"flKnob2", 0, 0.0f, {{0, 10}}, false, 1.0f},  // switch mode: 20 pixels per range, snapped
        {"flKnob2", 0, 0.0f, {{0, 9}}, false, 0.0f},    {"flKnob2", 0, 1.0f, {{0, -10}}, false, 1.0f},
        {"flKnob2", 0, 1.0f, {{0, -11}}, false, 0.0f},
    };
    for (const auto& c : cases) {
        TestPage t = KnobPage(c.cls, "", Params(c.start, c.mode));  // no bitmaps: it draws nothing but turns
        WriteCounter counter;
        t.set.SetListener(&counter);
        t.window.input.shift = c.shift;
        t.Press(50, 200);
        t.MoveTo(50, 200);
        // Held still, a plain or lock knob writes nothing; a mode knob writes on every poll.
        EXPECT_EQ(counter.writes, std::string(c.cls) == "flKnob2" ? 2 : 0) << c.cls;
        for (const Move& m : c.moves)
            t.MoveTo(50 + m.right, 200 - m.up);
        t.Release();
        EXPECT_NEAR(t.set.GetParameter(0), c.expected, 1e-6) << c.cls << " from " << c.start;
        EXPECT_FALSE(t.V(2)->IsTracking());
        t.set.SetListener(nullptr);
    }
}

TEST(KnobMode, SwitchModeSnapsTheCurrentValueAndOptionClickResetsTheMode)
{
    // The mode's index is below the value's, as in the main window, so the first refresh brings the
    // mode first: the value's default is snapped, not zeroed.
    TestPage first({MakeDescriptor("Mode", 0, 1, 0, UnitNone, TaperLinear, 0),
                    MakeDescriptor("Value", 0, 1, 0.7f, UnitNone, TaperLinear, 1)},
                   {Record(0, {0, 640, 0, 404}, "View", -1, ""), Record(1, kKnob, "flKnob2", 0, kStrips, {1, 0})}, 640,
                   404);
    EXPECT_EQ(first.set.GetParameter(1), 1.0f);

    TestPage t = KnobPage("flKnob2", kStrips, Params(0.5f, 1.0f));
    for (float value : {0.49f, 0.5f}) {
        t.set.SetParameter(1, 1.0f);
        t.set.SetParameter(0, value);
        t.set.SetParameter(1, 0.0f);
        EXPECT_EQ(t.set.GetParameter(0), value < 0.5f ? 0.0f : 1.0f);
    }
    t.window.input.option = true;
    t.Click(50, 200);
    EXPECT_EQ(t.set.GetParameter(0), 0.5f);
    EXPECT_EQ(t.set.GetParameter(1), 1.0f);
}

TEST(KnobLock, ALockedKnobIgnoresPressDragAndOptionClickAndResetsOnlyItsValueWhenFree)
{
    // The lock's default is 1: a reset of both would lock the knob.
    TestPage t = KnobPage("flKnob3", "", Params(0.5f, 1.0f));
    t.set.SetParameter(0, 0.2f);
    for (bool option : {false, true}) {
        t.window.input.option = option;
        t.Press(50, 200);
        t.MoveTo(50, 150);
        t.Release();
    }
    EXPECT_EQ(t.set.GetParameter(0), 0.2f);
    t.set.SetParameter(1, 0.0f);
    t.Click(50, 200);
    EXPECT_EQ(t.set.GetParameter(0), 0.5f);
    EXPECT_EQ(t.set.GetParameter(1), 0.0f);
}

TEST(TextKnob, HoverAndDragShowFiveCharactersOfTheValueLeavingRestoresTheCaption)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t = KnobPage("flTextKnob",
                          std::string(kStrips) + "\nBackground.bmp\nKnobRotationHw.bmp\nfont.bmp\nFontMask.bmp\n"
                                                 "Background.bmp\nJUSTIFY_CENTRE\nGAIN",
                          {MakeDescriptor("Gain", -12, 12, 3, UnitDecibels, TaperLinear, 0)});
    auto* knob = t.As<flTextKnob>(2);
    const Static& label = knob->GetLabel();
    const Rect r = label.GetBounds();
    EXPECT_TRUE(r.left == 36 && r.right == 71 && r.top == 225 && r.bottom == 235);
    EXPECT_STREQ(label.GetText(), "GAIN");
    t.page->OnMouseOver(50, 200);
    EXPECT_STREQ(label.GetText(), "3.0dB");  // of "3.000 dB"
    t.page->OnMouseOver(300, 300);
    EXPECT_STREQ(label.GetText(), "GAIN");
    t.page->OnMouseOver(50, 200);
    t.Press(50, 200);
    t.MoveTo(50, 150);
    EXPECT_STREQ(label.GetText(), "9.0dB");
    t.Release();
    t.page->OnMouseOver(300, 300);

    // Disabled: the caption stays and the knob does not turn, but an Option-click resets it.
    knob->SetEnabled(false);
    t.page->OnMouseOver(50, 200);
    t.Press(50, 200);
    t.MoveTo(50, 100);
    t.Release();
    EXPECT_STREQ(label.GetText(), "GAIN");
    EXPECT_NEAR(t.set.GetParameterValue(0), 9.0f, 1e-5);
    knob->SetCaption("FREQ");
    EXPECT_STREQ(label.GetText(), "FREQ");
    t.window.input.option = true;
    t.Click(50, 200);
    EXPECT_NEAR(t.set.GetParameterValue(0), 3.0f, 1e-5);

    // A drag that ends off the knob ends the value display, whether or not the pointer was found over
    // another control before the drag ended.
    knob->SetEnabled(true);
    t.window.input.option = false;
    for (bool hoverFirst : {true, false}) {
        t.page->OnMouseOver(50, 200);
        t.Press(50, 200);
        t.MoveTo(50, 160);
        t.MoveTo(300, 300);
        if (hoverFirst)
            t.page->OnMouseOver(300, 300);
        t.Release();
        EXPECT_STREQ(label.GetText(), "FREQ") << hoverFirst;
        t.page->OnMouseOver(300, 300);
    }
}

// The cap frame of the value lies at (4, 4) through the cap mask; the knob's corner shows the
// backdrop at (bx, by) through a clear track mask.
void ExpectKnobShows(TestPage& t, float value, const char* caps, const Bitmap& backdrop, int32_t bx, int32_t by)
{
    t.set.SetParameter(0, value);
    t.page->Paint();
    const int32_t frame = flKnob::FrameOf(value);
    const Bitmap* mask = BitmapCache::Get("KnobMask.bmp");
    ASSERT_TRUE(mask && BitmapCache::Get(caps));
    EXPECT_GT(ExpectOpaqueShows(t.window.buffer, kKnob.left + 4, kKnob.top + 4, *BitmapCache::Get(caps), 20 * frame,
                                0, *mask, 0, 0, 19, 19, caps + std::to_string(frame)),
              100);
    ASSERT_EQ(BitmapCache::Get("KnobTrackMask.bmp")->GetPixel(27 * frame, 0), 0u);
    EXPECT_EQ(t.window.buffer.GetPixel(kKnob.left, kKnob.top), Dim(backdrop.GetPixel(bx, by))) << frame;
}

TEST(KnobPixels, RealStripsShowTheFrameOfTheValueOverTheBackground)
{
    ASSERT_TRUE(LoadRealArchive());
    const Bitmap& background = *BitmapCache::Get("Background.bmp");
    TestPage plain = KnobPage("flKnob", std::string(kStrips) + "\nBackground.bmp", Params());
    for (float v : {0.0f, 0.5f, 0.75f, 1.0f})
        ExpectKnobShows(plain, v, "KnobRotation.bmp", background, kKnob.left, kKnob.top);
    TestPage locked = KnobPage("flKnob3", std::string(kStrips) + "\nBackground.bmp\nKnobRotationHw.bmp", Params(0.25f));
    ExpectKnobShows(locked, 0.25f, "KnobRotationHw.bmp", background, kKnob.left, kKnob.top);
    locked.set.SetParameter(1, 0.0f);
    ExpectKnobShows(locked, 0.25f, "KnobRotation.bmp", background, kKnob.left, kKnob.top);

    // An flKnob2 cuts its background from its tray's image at its place in the tray, or leaves it
    // blank when the tray has none.
    TestPage mode = KnobPage("flKnob2", kStrips, Params());
    ExpectKnobShows(mode, 0.5f, "KnobRotation.bmp", *BitmapCache::Get("OutputStereoCover.bmp"), 22, 20);
    TestPage blank = KnobPage("flKnob2", kStrips, Params(), "NoSuchCover.bmp");
    ExpectKnobShows(blank, 0.5f, "KnobRotation.bmp", Bitmap(1, 1), 0, 0);
}

}  // namespace
