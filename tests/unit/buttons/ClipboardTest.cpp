// Copy and paste buttons and their clipboard record: the record's layout, every malformed record
// refused, values held to 0..1, and a copy in one panel pasted into another through the clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>

#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterListener.h"
#include "support/LayoutRecordMaker.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

std::vector<ParamDescriptor> Descriptors(int n)
{
    std::vector<ParamDescriptor> d;
    for (int i = 0; i < n; ++i)
        d.push_back(MakeDescriptor(("P" + std::to_string(i)).c_str(), 0, 1, 0.5f, UnitNone, TaperLinear, i));
    return d;
}

// A panel of n parameters, all at 0.5, with copy (x 10..25, y 10..25) and paste (y 24..39) buttons
// under the tag, and a button bound to parameter 0. Counts what its listener is told.
struct Panel : TestPage, ParameterListener {
    Panel(int n, const char* tag)
        : TestPage(Descriptors(n),
                   {Record(0, {0, 60, 0, 60}, "View", -1, ""),
                    Record(1, {10, 25, 10, 25}, "flCopyButton", 0, Args(tag)),
                    Record(2, {10, 25, 24, 39}, "flPasteButton", 0, Args(tag)),
                    Record(3, {40, 55, 10, 25}, "flButton", 0, "", {0})},
                   60, 60)
    {
        set.SetListener(this);
    }
    // Argument text that outlives the records.
    static const char* Args(const char* tag)
    {
        static std::set<std::string> texts;
        return texts.insert(std::string("PushDouble1.bmp\nBackground.bmp\n") + tag).first->c_str();
    }
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t) override { ++told; }
    std::vector<float> Values() const
    {
        std::vector<float> v;
        for (int i = 0; i < set.GetParameterCount(); ++i)
            v.push_back(set.GetParameter(i));
        return v;
    }
    int told = 0;
};

std::vector<uint8_t> RecordBytes(uint32_t flavor, uint32_t count, const std::vector<float>& values)
{
    std::vector<uint8_t> bytes(8 + 4 * values.size());
    std::memcpy(bytes.data(), &flavor, 4);
    std::memcpy(bytes.data() + 4, &count, 4);
    std::memcpy(bytes.data() + 8, values.data(), 4 * values.size());
    return bytes;
}

TEST(PanelClipboardRecord, FlavorCountAndValuesInHostOrderAndEveryMalformedRecordRefused)
{
    const uint32_t f = PanelClipboardRecord::FlavorOf("Kteq");
    EXPECT_EQ(f, uint32_t('K' | 't' << 8 | 'e' << 16 | 'q' << 24));
    EXPECT_EQ(PanelClipboardRecord::FlavorOf(""), 0u);
    Panel panel(3, "Kteq");
    panel.set.SetParameter(1, 1.5f);  // stored unclamped, copied as stored
    EXPECT_EQ(PanelClipboardRecord::FromSet(f, panel.set).Bytes(), RecordBytes(f, 3, {0.5f, 1.5f, 0.5f}));

    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } refused[] = {
        {"short", RecordBytes(f, 3, {0.1f, 0.2f})},
        {"long", RecordBytes(f, 3, {0.1f, 0.2f, 0.3f, 0.4f})},
        {"wrong flavor word", RecordBytes(f + 1, 3, {0.1f, 0.2f, 0.3f})},
        {"wrong count", RecordBytes(f, 2, {0.1f, 0.2f, 0.3f})},
        {"NaN", RecordBytes(f, 3, {0.1f, nan, 0.3f})},
        {"infinity", RecordBytes(f, 3, {inf, 0.2f, 0.3f})},
        {"minus infinity", RecordBytes(f, 3, {0.1f, 0.2f, -inf})},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(PanelClipboardRecord::Parse(c.bytes.data(), c.bytes.size(), f, 3)) << c.what;
        panel.window.clipboard.Put(c.bytes.data(), uint32_t(c.bytes.size()), f);
        panel.Click(17, 30);
        EXPECT_EQ(panel.Values(), (std::vector<float>{0.5f, 1.5f, 0.5f})) << c.what;
    }
    const auto good = RecordBytes(f, 3, {-0.5f, 0.75f, 7.0f});
    panel.window.clipboard.Put(good.data(), uint32_t(good.size()), f + 1);  // under another flavor
    panel.Click(17, 30);
    EXPECT_EQ(panel.Values(), (std::vector<float>{0.5f, 1.5f, 0.5f}));
    EXPECT_EQ(panel.told, 0);
    panel.window.clipboard.Put(good.data(), uint32_t(good.size()), f);
    panel.Click(17, 30);
    EXPECT_EQ(panel.Values(), (std::vector<float>{0.0f, 0.75f, 1.0f}));  // held to 0..1
}

TEST(CopyPaste, ACopyInOnePanelPastesIntoAnotherOfTheSameKindOnly)
{
    Panel eq1(27, "Kteq"), eq2(27, "Kteq"), comp(11, "qcmp");
    for (int i = 0; i < 27; ++i)
        eq1.set.SetParameter(i, float(i) / 32.0f);
    eq1.Click(17, 17);
    ASSERT_EQ(eq1.window.clipboard.GetSize(PanelClipboardRecord::FlavorOf("Kteq")), 116u);

    eq2.window.clipboard.records = comp.window.clipboard.records = eq1.window.clipboard.records;  // one clipboard
    eq2.PaintIfNeeded();
    eq2.Click(17, 30);
    EXPECT_EQ(eq2.Values(), eq1.Values());
    // The observers are told (the bound button must repaint); the listener is not.
    EXPECT_TRUE(eq2.V(3)->IsDirty());
    EXPECT_EQ(eq2.told, 0);
    comp.Click(17, 30);
    EXPECT_EQ(comp.Values(), Panel(11, "qcmp").Values());
}

TEST(CopyPaste, ReleasingOutsideOrHiddenOrWithoutATagDoesNothingAndBothButtonsPopUp)
{
    Panel panel(4, "Qvrb");
    for (int32_t button : {1, 2}) {
        panel.Press(17, button == 1 ? 17 : 30);
        EXPECT_TRUE(panel.V(button)->IsTracking());
        panel.MoveTo(40, 40);
        panel.Release();
        EXPECT_FALSE(panel.V(button)->IsTracking());
    }
    EXPECT_TRUE(panel.window.clipboard.records.empty());

    panel.Click(17, 17);
    panel.set.SetParameter(2, 0.0f);
    panel.Press(17, 30);
    panel.V(2)->SetHidden(true, panel.page->GetContext());
    panel.Release();
    EXPECT_EQ(panel.set.GetParameter(2), 0.0f);

    Panel untagged(2, "");
    const auto zeros = RecordBytes(0, 2, {0.0f, 0.0f});
    untagged.window.clipboard.Put(zeros.data(), uint32_t(zeros.size()), 0);
    untagged.Click(17, 17);
    untagged.Click(17, 30);
    EXPECT_EQ(untagged.Values(), (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(untagged.window.clipboard.records.size(), 1u);
}

}  // namespace
