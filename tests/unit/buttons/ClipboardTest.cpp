// Copy and paste buttons and their clipboard record: the record's layout, every malformed record
// refused, values held to 0..1, and a copy in one panel pasted into another through the clipboard.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterListener.h"
#include "PAL/ViewLib/flCopyButton.h"
#include "PAL/ViewLib/flPasteButton.h"
#include "support/LayoutRecordMaker.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr uint32_t kEqFlavor = 'K' | 'e' << 8 | 'q' << 16 | 't' << 24;  // "Keqt" read from the lowest byte

std::vector<ParamDescriptor> Descriptors(int n)
{
    std::vector<ParamDescriptor> d;
    for (int i = 0; i < n; ++i)
        d.push_back(MakeDescriptor(("P" + std::to_string(i)).c_str(), 0, 1, 0.5f, UnitNone, TaperLinear, i));
    return d;
}

struct CountingListener : ParameterListener {
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t) override { ++calls; }
    int calls = 0;
};

// A panel of n parameters with its copy button at {10, 25, 10, 25} and paste button at
// {10, 25, 24, 39} under the tag, and a plain control bound to parameter 0.
struct Panel : TestPage {
    Panel(int n, const char* tag)
        : TestPage(Descriptors(n),
                   {Record(0, {0, 60, 0, 60}, "View", -1, ""),
                    Record(1, {10, 25, 10, 25}, "flCopyButton", 0, Args("PushDouble1.bmp", tag)),
                    Record(2, {10, 25, 24, 39}, "flPasteButton", 0, Args("PushDouble2.bmp", tag)),
                    Record(3, {40, 55, 10, 25}, "flButton", 0, "", {0})},
                   60, 60)
    {
        set.SetListener(&listener);
    }
    // Argument text that outlives the page's records.
    static const char* Args(const char* image, const char* tag)
    {
        static std::set<std::string> texts;
        return texts.insert(std::string(image) + "\nBackground.bmp\n" + tag).first->c_str();
    }
    void CopyClick() { Click(17, 17); }
    void PasteClick() { Click(17, 30); }
    std::vector<float> Values() const
    {
        std::vector<float> v;
        for (int i = 0; i < set.GetParameterCount(); ++i)
            v.push_back(set.GetParameter(i));
        return v;
    }
    // Puts raw bytes on this panel's clipboard.
    void PutRaw(const std::vector<uint8_t>& bytes, uint32_t flavor)
    {
        window.clipboard.Put(bytes.data(), uint32_t(bytes.size()), flavor);
    }
    CountingListener listener;
};

std::vector<uint8_t> RecordBytes(uint32_t flavor, uint32_t count, const std::vector<float>& values)
{
    std::vector<uint8_t> bytes(8 + 4 * values.size());
    std::memcpy(bytes.data(), &flavor, 4);
    std::memcpy(bytes.data() + 4, &count, 4);
    std::memcpy(bytes.data() + 8, values.data(), 4 * values.size());
    return bytes;
}

TEST(PanelClipboardRecord, FlavorWordCountAndValuesInHostOrder)
{
    EXPECT_EQ(PanelClipboardRecord::FlavorOf("Kteq"), uint32_t('K' | 't' << 8 | 'e' << 16 | 'q' << 24));
    EXPECT_EQ(PanelClipboardRecord::FlavorOf("qcmp\nrest"), uint32_t('q' | 'c' << 8 | 'm' << 16 | 'p' << 24));
    EXPECT_EQ(PanelClipboardRecord::FlavorOf("ab"), uint32_t('a' | 'b' << 8));
    EXPECT_EQ(PanelClipboardRecord::FlavorOf(""), 0u);

    Panel panel(3, "Kteq");
    panel.set.SetParameter(0, 0.25f);
    panel.set.SetParameter(1, 1.5f);  // stored unclamped, copied as stored
    const std::vector<uint8_t> bytes = PanelClipboardRecord::FromSet(0x11223344, panel.set).Bytes();
    EXPECT_EQ(bytes, RecordBytes(0x11223344, 3, {0.25f, 1.5f, 0.5f}));
}

TEST(PanelClipboardRecord, MalformedRecordsAreRefusedAndValuesHeldToZeroOne)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const uint32_t f = kEqFlavor;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } refused[] = {
        {"short", RecordBytes(f, 3, {0.1f, 0.2f})},
        {"long", RecordBytes(f, 3, {0.1f, 0.2f, 0.3f, 0.4f})},
        {"header only", RecordBytes(f, 3, {})},
        {"wrong flavor word", RecordBytes(f + 1, 3, {0.1f, 0.2f, 0.3f})},
        {"wrong count", RecordBytes(f, 2, {0.1f, 0.2f, 0.3f})},
        {"NaN", RecordBytes(f, 3, {0.1f, nan, 0.3f})},
        {"infinity", RecordBytes(f, 3, {inf, 0.2f, 0.3f})},
        {"minus infinity", RecordBytes(f, 3, {0.1f, 0.2f, -inf})},
    };
    for (const Case& c : refused)
        EXPECT_FALSE(PanelClipboardRecord::Parse(c.bytes.data(), c.bytes.size(), f, 3)) << c.what;

    const auto bytes = RecordBytes(f, 3, {-0.5f, 0.75f, 7.0f});
    const auto record = PanelClipboardRecord::Parse(bytes.data(), bytes.size(), f, 3);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->GetValues(), (std::vector<float>{0.0f, 0.75f, 1.0f}));

    // Through the paste button: nothing changes and nobody is told, also for a record of another flavor.
    Panel panel(3, "Keqt");
    std::vector<Case> all(std::begin(refused), std::end(refused));
    for (const Case& c : all) {
        panel.PutRaw(c.bytes, f);
        panel.PasteClick();
        EXPECT_EQ(panel.Values(), (std::vector<float>{0.5f, 0.5f, 0.5f})) << c.what;
    }
    panel.PutRaw(RecordBytes(f, 3, {0.1f, 0.2f, 0.3f}), f + 1);
    panel.PasteClick();
    EXPECT_EQ(panel.Values(), (std::vector<float>{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(panel.listener.calls, 0);
    panel.PutRaw(bytes, f);
    panel.PasteClick();
    EXPECT_EQ(panel.Values(), (std::vector<float>{0.0f, 0.75f, 1.0f}));
}

TEST(CopyPaste, ACopyInOnePanelPastesIntoAnotherOfTheSameKindOnly)
{
    Panel eq1(27, "Kteq"), eq2(27, "Kteq"), comp(11, "qcmp");
    for (int i = 0; i < 27; ++i)
        eq1.set.SetParameter(i, float(i) / 32.0f);
    eq1.set.SetParameter(0, 1.0f);
    eq1.CopyClick();
    ASSERT_EQ(eq1.window.clipboard.GetSize(PanelClipboardRecord::FlavorOf("Kteq")), 116u);

    // One system clipboard.
    eq2.window.clipboard.records = eq1.window.clipboard.records;
    comp.window.clipboard.records = eq1.window.clipboard.records;
    eq2.PaintIfNeeded();
    eq2.PasteClick();
    EXPECT_EQ(eq2.Values(), eq1.Values());
    // The observers are told (the bound control redraws); the listener is not.
    EXPECT_EQ(eq2.As<View>(3)->IsDirty(), true);
    EXPECT_EQ(eq2.listener.calls, 0);

    const auto before = comp.Values();
    comp.PasteClick();
    EXPECT_EQ(comp.Values(), before);
}

TEST(CopyPaste, ReleasingOutsideDoesNothingAndBothButtonsPopUp)
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

    panel.CopyClick();
    panel.set.SetParameter(2, 0.0f);
    panel.Press(17, 30);
    panel.V(2)->SetHidden(true, panel.page->GetContext());
    panel.Release();
    EXPECT_EQ(panel.set.GetParameter(2), 0.0f);
    panel.V(2)->SetHidden(false, panel.page->GetContext());
    panel.PasteClick();
    EXPECT_EQ(panel.set.GetParameter(2), 0.5f);
}

TEST(CopyPaste, WithoutATagNothingIsCopiedOrPasted)
{
    Panel panel(2, "");
    panel.CopyClick();
    EXPECT_TRUE(panel.window.clipboard.records.empty());
    panel.PutRaw(RecordBytes(0, 2, {0.0f, 0.0f}), 0);
    panel.PasteClick();
    EXPECT_EQ(panel.Values(), (std::vector<float>{0.5f, 0.5f}));
}

}  // namespace
