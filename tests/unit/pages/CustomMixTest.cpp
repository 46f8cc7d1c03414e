// The custom-mix pages forwarding into the main set: every own parameter of both kinds, for all five
// output pairs, moved through the control bound to it, lands at its main index and nowhere else, one
// way; a pasted record forwards every own parameter once, a refused one nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterForwarder.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/FakeWindow.h"

namespace {

struct Kind {
    const char* name;
    std::function<std::unique_ptr<PageController>()> make;
    int32_t (*mainBase)(int32_t pair);
    const char* flavor;
    int32_t pasteX, pasteY;  // a point on the paste button
};

const Kind kKinds[] = {
    {"input mix", [] { return std::make_unique<CustomMixPage>(); }, CustomMixPage::MainBase, "qimx", 215, 190},
    {"playback mix", [] { return std::make_unique<CustomCueMixPage>(); }, CustomCueMixPage::MainBase, "qcmx", 300,
     190},
};

// The main set behind the main controller, the window's own controller, the forwarding between them,
// and the count of main notifications by index.
struct Forwarding : ParameterObserver {
    Forwarding(const Kind& kind, int32_t pair) : own(kind.make()), base(kind.mainBase(pair))
    {
        main.AddObserver(this);
        forwarder.StartForwarding(own.get(), base, &target);
    }
    ~Forwarding() override { main.RemoveObserver(this); }
    void OnParameterChanged(int32_t index) override { ++changes[index]; }

    ParameterSet main{kMainParamDescriptors, kMainParamCount};
    PageController target{&main, nullptr};
    std::unique_ptr<PageController> own;
    int32_t base;
    ParameterForwarder forwarder;
    std::map<int32_t, int> changes;
};

}  // namespace

TEST(CustomMixPages, EveryOwnParameterOfEveryPairReachesItsMainIndexOnly)
{
    const int32_t firstBases[2] = {104, 69}, strides[2] = {8, 5};
    for (int k = 0; k < 2; ++k) {
        for (int32_t pair = 0; pair < 5; ++pair) {
            Forwarding f(kKinds[k], pair);
            ASSERT_EQ(f.base, firstBases[k] + strides[k] * pair) << kKinds[k].name;
            ControlPage& page = *f.own->GetPage();
            for (int32_t control = 0; control < page.GetViewCount(); ++control) {
                const int32_t i = page.GetParameterIndex(control, 0);
                if (i < 0)
                    continue;
                const float value = 0.05f + 0.1f * float(i) + 0.01f * float(pair);
                f.changes.clear();
                page.SetValue(control, 0, value);
                EXPECT_EQ(f.changes, (std::map<int32_t, int>{{f.base + i, 1}})) << kKinds[k].name << " " << i;
                EXPECT_EQ(f.main.GetParameter(f.base + i), value) << kKinds[k].name << " " << pair << " " << i;
                f.main.SetParameter(f.base + i, 0.99f);  // one way: the window keeps its value
                EXPECT_EQ(f.own->GetParameter(i), value);
            }
        }
    }
    Forwarding f(kKinds[0], 0);
    f.forwarder.StopForwarding();
    f.own->SetParameter(3, 0.2f);
    EXPECT_TRUE(f.changes.empty());
}

namespace {

std::vector<uint8_t> RecordBytes(const char* flavor, std::vector<float> values)
{
    const uint32_t header[2] = {PanelClipboardRecord::FlavorOf(flavor), uint32_t(values.size())};
    std::vector<uint8_t> bytes(PanelClipboardRecord::SizeFor(values.size()));
    memcpy(bytes.data(), header, sizeof header);
    memcpy(bytes.data() + sizeof header, values.data(), 4 * values.size());
    return bytes;
}

// Clicks the paste button of f's page on a fake window whose clipboard holds bytes under flavor.
void Paste(Forwarding& f, const Kind& kind, const char* flavor, const std::vector<uint8_t>& bytes)
{
    FakeWindow window(320, 205);
    ControlPage& page = *f.own->GetPage();
    page.AttachWindow(&window);
    window.clipboard.records[PanelClipboardRecord::FlavorOf(flavor)] = bytes;
    window.input.x = kind.pasteX;
    window.input.y = kind.pasteY;
    for (bool down : {true, false}) {
        window.input.mouseDown = down;
        page.OnMouseDown(kind.pasteX, kind.pasteY, 0, down);
        page.OnMouseMove();
    }
    page.DetachContext();
}

}  // namespace

TEST(CustomMixPages, APastedRecordForwardsEveryOwnParameterOnceARefusedOneNothing)
{
    for (const Kind& kind : kKinds) {
        const size_t n = size_t(kind.make()->GetParameterCount());
        std::vector<float> values(n, 0.25f);
        values[0] = 1.5f;   // held to 1
        values[1] = -0.5f;  // held to 0
        std::vector<float> withNaN = values;
        withNaN[n - 1] = std::numeric_limits<float>::quiet_NaN();
        const char* other = std::string(kind.flavor) == "qimx" ? "qcmx" : "qimx";
        const struct {
            const char* what;
            const char* flavor;
            std::vector<uint8_t> bytes;
            bool taken;
        } cases[] = {
            {"a complete record", kind.flavor, RecordBytes(kind.flavor, values), true},
            {"one value short", kind.flavor, RecordBytes(kind.flavor, std::vector<float>(n - 1, 0.25f)), false},
            {"one value too many", kind.flavor, RecordBytes(kind.flavor, std::vector<float>(n + 1, 0.25f)), false},
            {"a NaN", kind.flavor, RecordBytes(kind.flavor, withNaN), false},
            {"the other kind's record", other, RecordBytes(other, std::vector<float>(n, 0.25f)), false},
        };
        for (const auto& c : cases) {
            Forwarding f(kind, 3);
            Paste(f, kind, c.flavor, c.bytes);
            std::map<int32_t, int> expected;
            for (int32_t i = 0; c.taken && i < int32_t(n); ++i)
                expected[f.base + i] = 1;
            EXPECT_EQ(f.changes, expected) << kind.name << ": " << c.what;
            for (int32_t i = 0; c.taken && i < int32_t(n); ++i) {
                const float held = i == 0 ? 1.0f : i == 1 ? 0.0f : 0.25f;
                EXPECT_EQ(f.own->GetParameter(i), held) << kind.name << " " << i;
                EXPECT_EQ(f.main.GetParameter(f.base + i), held) << kind.name << " " << i;
            }
        }
    }
}
