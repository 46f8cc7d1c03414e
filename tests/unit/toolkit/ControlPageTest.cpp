// Pages built from layout tables: the factory, argument items, binding, values, resets, painting into
// a buffer, the live-page count and the checks every real table must pass.
#include <gtest/gtest.h>

#include <cmath>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/PixelDrawContext.h"
#include "PAL/ResourceArchive.h"
#include "unit/archive/TestArchive.h"
#include "unit/bitmap/TestBmp.h"
#include "unit/params/ParamTestSupport.h"
#include "support/FakeWindow.h"
#include "support/PixelPicture.h"
#include "unit/toolkit/ProbeView.h"

namespace {

using Log = std::vector<std::string>;

struct RecordingListener : ParameterListener {
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t index) override { changed.push_back(index); }
    std::vector<int32_t> changed;
};

std::vector<ParamDescriptor> Descriptors(int n)
{
    std::vector<ParamDescriptor> d;
    for (int i = 0; i < n; ++i)
        d.push_back(MakeDescriptor(("P" + std::to_string(i)).c_str(), 0, 10, float(i), UnitNone, TaperLinear, i));
    return d;
}

ProbeView* Probe(ControlPage& page, int i)
{
    return static_cast<ProbeView*>(page.GetView(i));
}

TEST(ViewFactory, UnknownClassesAreFatalAndNamesAreRegisteredOnce)
{
    RegisterViewClasses();
    ProbeView::Register();
    EXPECT_FALSE(RegisterViewClass("Probe", CreateViewOf<View>));
    EXPECT_FALSE(RegisterViewClass("View", CreateViewOf<View>));
    EXPECT_TRUE(IsViewClassRegistered("View"));
    const LayoutRecord unknown = Record(0, {0, 1, 0, 1}, "NoSuchControl", -1, "");
    EXPECT_DEATH(CreateView(&unknown, nullptr), "PAL/ViewLib:39: failed assertion `view != NULL'");
}

TEST(ViewFactory, ATableWhoseParentIsNotEarlierIsFatal)
{
    ProbeView::Register();
    ParameterSet set(nullptr, 0);
    const LayoutRecord forward[] = {Record(0, {0, 1, 0, 1}, "Probe", -1, ""), Record(1, {0, 1, 0, 1}, "Probe", 1, "")};
    EXPECT_DEATH(ControlPage(&set, forward, 2), "failed assertion");
    const LayoutRecord rootless[] = {Record(0, {0, 1, 0, 1}, "Probe", 0, "")};
    EXPECT_DEATH(ControlPage(&set, rootless, 1), "failed assertion");
}

TEST(ViewFactory, ArgumentItemsSplitAtNewlines)
{
    ProbeView::Register();
    ParameterSet set(nullptr, 0);
    const LayoutRecord table[] = {
        Record(0, {0, 9, 0, 9}, "Probe", -1, ""),
        Record(1, {0, 1, 0, 1}, "Probe", 0, "Knob.bmp"),
        Record(2, {0, 1, 0, 1}, "Probe", 0, "A.bmp\nB.bmp"),
        Record(3, {0, 1, 0, 1}, "Probe", 0, "A.bmp\n"),
        Record(4, {0, 1, 0, 1}, "Probe", 0, "\n \nx"),
    };
    ControlPage page(&set, table, 5);
    EXPECT_EQ(Probe(page, 0)->itemCount, 0);
    EXPECT_EQ(Probe(page, 1)->items_, (Log{"Knob.bmp"}));
    EXPECT_EQ(Probe(page, 2)->items_, (Log{"A.bmp", "B.bmp"}));
    EXPECT_EQ(Probe(page, 3)->items_, (Log{"A.bmp", ""}));
    EXPECT_EQ(Probe(page, 4)->items_, (Log{"", " ", "x"}));
}

struct PageFixture : testing::Test {
    PageFixture()
    {
        ProbeView::Register();
        set.SetListener(&listener);
    }
    std::vector<ParamDescriptor> descriptors = Descriptors(10);
    ParameterSet set{descriptors.data(), 10};
    RecordingListener listener;
    const LayoutRecord table[4] = {
        Record(0, {0, 6, 0, 4}, "Probe", -1, "808080"),
        Record(1, {1, 3, 1, 3}, "Probe", 0, "FF0000", {3, 200, 5}),
        Record(2, {4, 6, 0, 2}, "Probe", 0, "0000FF", {5, -7, 3}),
        Record(3, {0, 0, 0, 0}, "Probe", 0, "", {}),
    };
};

TEST_F(PageFixture, BindingsSkipIndicesOutsideTheSetButKeepTheirPosition)
{
    ControlPage page(&set, table, 4);
    EXPECT_EQ(page.GetView(1)->GetValueCount(), 3);
    EXPECT_EQ(page.GetParameterIndex(1, 0), 3);
    EXPECT_EQ(page.GetParameterIndex(1, 1), -1);
    EXPECT_EQ(page.GetParameterIndex(1, 2), 5);
    EXPECT_EQ(page.GetParameterIndex(1, 3), -1);  // sub equal to the value count
    EXPECT_EQ(page.GetParameterIndex(3, 0), -1);
    EXPECT_EQ(page.GetParameterIndex(9, 0), -1);
    EXPECT_FLOAT_EQ(page.GetValue(1, 3), 0.0f);
    EXPECT_FLOAT_EQ(page.GetPlainValue(1, 2), 5.0f);

    // Parameter 5 is bound to (1, 2) and (2, 0); 3 to (1, 0) and (2, 2): table order, then sub.
    ProbeView::Log().clear();
    page.SetValue(2, 0, 0.9f);
    page.SetValue(1, 0, 0.1f);
    EXPECT_EQ(ProbeView::Log(), (Log{"1:value 2", "2:value 0", "1:value 0", "2:value 2"}));
    EXPECT_EQ(listener.changed, (std::vector<int32_t>{5, 3}));

    page.SetValue(1, 1, 0.5f);  // inert binding: nothing written, nobody told
    EXPECT_EQ(listener.changed.size(), 2u);
}

TEST_F(PageFixture, ValuesAreStoredAsGivenOrThroughTheTaper)
{
    ControlPage page(&set, table, 4);
    page.SetValue(1, 0, 1.5f);
    EXPECT_FLOAT_EQ(set.GetParameter(3), 1.5f);
    page.SetValue(1, 0, NAN);
    EXPECT_FLOAT_EQ(set.GetParameter(3), 1.5f);
    page.SetPlainValue(1, 0, 2.5f);
    EXPECT_FLOAT_EQ(set.GetParameter(3), 0.25f);
    page.SetValueText(1, 0, "7.5");
    EXPECT_FLOAT_EQ(set.GetParameterValue(3), 7.5f);
    char text[32] = "untouched";
    page.GetValueText(1, 1, text, 31);
    EXPECT_STREQ(text, "untouched");
    page.GetValueText(1, 0, text, 31);
    EXPECT_STREQ(text, "7.500");
}

TEST_F(PageFixture, AnOptionClickResetsEveryResettableBoundParameterOnPressAndRelease)
{
    FakeWindow window(6, 4);
    ControlPage page(&set, table, 4);
    page.AttachWindow(&window);
    Probe(page, 2)->notResettable = 2;
    set.SetParameterValue(5, 9.0f);
    set.SetParameterValue(3, 9.0f);
    window.input.option = true;
    listener.changed.clear();
    ProbeView::Log().clear();
    page.OnMouseDown(5, 1, 0, true);
    EXPECT_FLOAT_EQ(set.GetParameterValue(5), 5.0f);
    EXPECT_FLOAT_EQ(set.GetParameterValue(3), 9.0f);  // sub 2 refused the reset
    EXPECT_EQ(listener.changed, (std::vector<int32_t>{5}));
    EXPECT_TRUE(ProbeView::Log() == (Log{"1:value 2", "2:value 0"}));

    page.OnMouseDown(2, 2, 0, false);  // release with Option: control 1 resets 3 and 5 in turn
    EXPECT_FLOAT_EQ(set.GetParameterValue(3), 3.0f);
    EXPECT_EQ(listener.changed, (std::vector<int32_t>{5, 3, 5}));
}

TEST_F(PageFixture, APagePaintsIntoItsWindowOnlyWhileAttached)
{
    FakeWindow window(6, 4);
    ControlPage page(&set, table, 4);
    page.Paint();
    page.OnMouseDown(2, 2, 0, true);
    EXPECT_EQ(window.ChangedPixels(), 0);
    EXPECT_FALSE(page.GetView(1)->IsTracking());

    page.AttachWindow(&window);
    EXPECT_TRUE(page.NeedsPaint());
    page.Paint();
    EXPECT_FALSE(page.NeedsPaint());
    const std::map<uint32_t, char> colours = {{0x808080, 'g'}, {0xFF0000, 'r'}, {0x0000FF, 'b'}};
    EXPECT_EQ(Picture(window.buffer, colours),
              "ggggbb\n"
              "grrgbb\n"
              "grrggg\n"
              "gggggg");
    EXPECT_EQ(window.ChangedPixels(), 24 + 4 + 4);

    // A tick in which nothing changed draws nothing.
    window.changed.clear();
    page.Broadcast();
    if (page.NeedsPaint())
        page.Paint();
    EXPECT_EQ(window.ChangedPixels(), 0);

    page.DetachContext();
    page.GetView(1)->Invalidate();
    page.Paint();
    EXPECT_EQ(window.ChangedPixels(), 0);
}

TEST_F(PageFixture, ALentContextIsNeverDeletedAndADetachRefreshesNothing)
{
    struct CountingContext : PixelDrawContext {
        explicit CountingContext(int* deaths) : PixelDrawContext(nullptr), deaths(deaths) {}
        ~CountingContext() override { ++*deaths; }
        int* deaths;
    };
    int deaths = 0;
    auto* lent = new CountingContext(&deaths);
    {
        ControlPage page(&set, table, 4);
        ProbeView::Log().clear();
        page.SetContext(lent);
        EXPECT_FALSE(ProbeView::Log().empty());  // every binding refreshed
        ProbeView::Log().clear();
        page.SetContext(nullptr);
        EXPECT_TRUE(ProbeView::Log().empty());
        page.SetContext(lent);
    }
    EXPECT_EQ(deaths, 0);
    delete lent;
}

TEST(ControlPageCache, TheLastPageToGoEmptiesTheBitmapCache)
{
    ProbeView::Register();
    const auto image = MakeArchive({{"Dot.bmp", Bmp24(1, 1, {0xFFFFFF})}});
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    ParameterSet set(nullptr, 0);
    const LayoutRecord table[] = {Record(0, {0, 1, 0, 1}, "Probe", -1, "")};
    const int32_t before = ControlPage::GetLivePageCount();
    auto first = std::make_unique<ControlPage>(&set, table, 1);
    auto second = std::make_unique<ControlPage>(&set, table, 1);
    ASSERT_NE(BitmapCache::Get("Dot.bmp"), nullptr);
    first.reset();
    EXPECT_EQ(BitmapCache::Count(), 1u);
    second.reset();
    EXPECT_EQ(ControlPage::GetLivePageCount(), before);
    if (before == 0) {
        EXPECT_EQ(BitmapCache::Count(), 0u);
    }
    ResourceArchive::Global().Clear();
}

// Every real window table: one root first, parents earlier, ids equal positions where parameters are
// bound, parameter lists ended, and every class name one the toolkit knows.
TEST(LayoutTablesForPages, EveryRealTableCanBeBuilt)
{
    RegisterViewClasses();
    for (int w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& t = GetLayoutTable(LayoutWindow(w));
        SCOPED_TRACE(t.name);
        ASSERT_GT(t.count, 0);
        EXPECT_EQ(t.records[0].parent, -1);
        for (int32_t i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            if (i > 0) {
                EXPECT_GE(r.parent, 0) << i;
                EXPECT_LT(r.parent, i) << i;
            }
            int32_t n = 0;
            while (n < kLayoutMaxParams && r.params[n] != -1)
                ++n;
            EXPECT_LT(n, kLayoutMaxParams) << i;
            if (n > 0) {
                EXPECT_EQ(r.index, i);
            }
            EXPECT_TRUE(IsViewClassRegistered(r.className)) << i << " " << r.className;
        }
    }
}

}  // namespace
