// The custom-mix pages and their forwarding into the main set: every own parameter of both kinds, for
// all five output pairs, moved through the control bound to it, lands at its main index and nowhere
// else; forwarding is one way; pasting a record forwards every own parameter once, and a record the
// paste rules refuse forwards nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/LayoutTables.h"
#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterForwarder.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/FakeWindow.h"

namespace {

class ChangeCounter : public ParameterObserver {
public:
    void OnParameterChanged(int32_t index) override { ++changes[index]; }
    std::map<int32_t, int> changes;
};

struct Kind {
    const char* name;
    std::function<std::unique_ptr<PageController>()> make;
    int32_t (*mainBase)(int32_t pair);
    LayoutWindow window;
    const char* flavor;
    std::vector<std::string> names;
    int32_t pasteX, pasteY;  // a point on the paste button
};

const Kind kKinds[] = {
    {"input mix", [] { return std::make_unique<CustomMixPage>(); }, CustomMixPage::MainBase,
     LayoutWindow::CustomInputMix, "qimx",
     {"Input 1 Level", "Input 2 Level", "Input 3 Level", "Input 4 Level", "Input 1 Reverb", "Input 2 Reverb",
      "Reverb Mute 1", "Reverb Mute 2"},
     215, 190},
    {"playback mix", [] { return std::make_unique<CustomCueMixPage>(); }, CustomCueMixPage::MainBase,
     LayoutWindow::CustomCueMix, "qcmx", {"Level 1&2", "Level 3&4", "Level 5&6", "Level 7&8", "Level 9&10"}, 300,
     190},
};

// The main set behind the main controller, the window's own controller, and the forwarding between them.
struct Forwarding {
    Forwarding(const Kind& kind, int32_t pair) : own(kind.make()), base(kind.mainBase(pair))
    {
        main.AddObserver(&counter);
        forwarder.StartForwarding(own.get(), base, &target);
    }
    ~Forwarding() { main.RemoveObserver(&counter); }

    // The (control, sub) of the record bound to own parameter index.
    std::pair<int32_t, int32_t> ControlOf(int32_t index) const
    {
        const ControlPage& page = *own->GetPage();
        for (int32_t c = 0; c < page.GetViewCount(); ++c)
            for (int32_t sub = 0; sub < 4; ++sub)
                if (page.GetParameterIndex(c, sub) == index)
                    return {c, sub};
        return {-1, -1};
    }

    ParameterSet main{kMainParamDescriptors, kMainParamCount};
    PageController target{&main, nullptr};
    std::unique_ptr<PageController> own;
    int32_t base;
    ParameterForwarder forwarder;
    ChangeCounter counter;
};

}  // namespace

TEST(CustomMixPages, EachKindHasItsParametersTableAndBases)
{
    const int32_t firstBases[2][5] = {{104, 112, 120, 128, 136}, {69, 74, 79, 84, 89}};
    int k = 0;
    for (const Kind& kind : kKinds) {
        auto own = kind.make();
        const LayoutTable& table = GetLayoutTable(kind.window);
        EXPECT_EQ(own->GetPage()->GetTable(), table.records) << kind.name;
        ASSERT_EQ(own->GetParameterCount(), int32_t(kind.names.size())) << kind.name;
        for (int32_t i = 0; i < own->GetParameterCount(); ++i) {
            char name[64] = {};
            own->GetSet()->GetParameterName(i, name, sizeof name);
            EXPECT_EQ(name, kind.names[size_t(i)]) << kind.name;
        }
        for (int32_t pair = 0; pair < 5; ++pair)
            EXPECT_EQ(kind.mainBase(pair), firstBases[k][pair]) << kind.name << " pair " << pair;
        ++k;
    }
    // Defaults: levels at 0.5, reverb sends fully up, mutes off.
    CustomMixPage input;
    const float defaults[8] = {0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, 0.0f};
    for (int32_t i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(input.GetParameter(i), defaults[i]) << i;
}

TEST(CustomMixPages, EveryOwnParameterOfEveryPairReachesItsMainIndexOnly)
{
    for (const Kind& kind : kKinds) {
        for (int32_t pair = 0; pair < 5; ++pair) {
            Forwarding f(kind, pair);
            for (int32_t i = 0; i < f.own->GetParameterCount(); ++i) {
                const auto [control, sub] = f.ControlOf(i);
                ASSERT_GE(control, 0) << kind.name << ": no control bound to " << i;
                const float value = i >= 6 ? 1.0f : 0.05f + 0.1f * float(i) + 0.01f * float(pair);
                f.counter.changes.clear();
                f.own->GetPage()->SetValue(control, sub, value);
                EXPECT_EQ(f.counter.changes, (std::map<int32_t, int>{{f.base + i, 1}}))
                    << kind.name << " pair " << pair << " parameter " << i;
                EXPECT_EQ(f.main.GetParameter(f.base + i), value) << kind.name << " pair " << pair << " " << i;
            }
        }
    }
}

TEST(CustomMixPages, NamedCasesLandWhereTheMixerReadsThem)
{
    Forwarding input(kKinds[0], 2);  // outputs 5&6
    input.own->GetPage()->SetValue(input.ControlOf(2).first, 0, 0.3f);  // "Input 3 Level"
    EXPECT_FLOAT_EQ(input.main.GetParameter(122), 0.3f);

    Forwarding playback(kKinds[1], 0);  // outputs 1&2
    playback.own->GetPage()->SetValue(playback.ControlOf(4).first, 0, 0.7f);  // "Level 9&10"
    EXPECT_FLOAT_EQ(playback.main.GetParameter(73), 0.7f);
}

TEST(CustomMixPages, ForwardingIsOneWayAndEndsWhenStopped)
{
    Forwarding f(kKinds[0], 1);
    f.main.SetParameter(f.base + 3, 0.9f);
    EXPECT_FLOAT_EQ(f.own->GetParameter(3), 0.5f);

    f.forwarder.StopForwarding();
    f.own->SetParameter(3, 0.2f);
    EXPECT_FLOAT_EQ(f.main.GetParameter(f.base + 3), 0.9f);

    ParameterForwarder nowhere;  // no target: nothing is forwarded, nothing breaks
    nowhere.StartForwarding(f.own.get(), 0, nullptr);
    f.own->SetParameter(0, 0.25f);
    EXPECT_FLOAT_EQ(f.main.GetParameter(0), 0.5f);
}

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<uint8_t> RecordBytes(const char* flavor, std::vector<float> values)
{
    const uint32_t tag = PanelClipboardRecord::FlavorOf(flavor);
    std::vector<uint8_t> bytes(PanelClipboardRecord::SizeFor(values.size()));
    const uint32_t header[2] = {tag, uint32_t(values.size())};
    memcpy(bytes.data(), header, sizeof header);
    memcpy(bytes.data() + 8, values.data(), 4 * values.size());
    return bytes;
}

// Clicks the paste button of f's page on a fake window holding bytes under flavor.
void Paste(Forwarding& f, const Kind& kind, const char* flavor, const std::vector<uint8_t>& bytes)
{
    const LayoutTable& table = GetLayoutTable(kind.window);
    FakeWindow window(table.width, table.height);
    ControlPage& page = *f.own->GetPage();
    page.AttachWindow(&window);
    window.clipboard.records[PanelClipboardRecord::FlavorOf(flavor)] = bytes;
    window.input = FakeInput{};
    window.input.x = kind.pasteX;
    window.input.y = kind.pasteY;
    window.input.mouseDown = true;
    page.OnMouseDown(kind.pasteX, kind.pasteY, 0, true);
    page.OnMouseMove();
    window.input.mouseDown = false;
    page.OnMouseDown(kind.pasteX, kind.pasteY, 0, false);
    page.OnMouseMove();
    page.DetachContext();
}

}  // namespace

TEST(CustomMixPages, PastingARecordForwardsEveryOwnParameterOnce)
{
    for (const Kind& kind : kKinds) {
        Forwarding f(kind, 3);
        const int32_t n = f.own->GetParameterCount();
        std::vector<float> values;
        for (int32_t i = 0; i < n; ++i)
            values.push_back(0.1f * float(i + 1));
        values[0] = 1.5f;   // held to 1
        values[1] = -0.5f;  // held to 0
        Paste(f, kind, kind.flavor, RecordBytes(kind.flavor, values));
        std::map<int32_t, int> once;
        for (int32_t i = 0; i < n; ++i)
            once[f.base + i] = 1;
        EXPECT_EQ(f.counter.changes, once) << kind.name;
        for (int32_t i = 0; i < n; ++i) {
            const float expected = std::fmin(1.0f, std::fmax(0.0f, values[size_t(i)]));
            EXPECT_FLOAT_EQ(f.own->GetParameter(i), expected) << kind.name << " " << i;
            EXPECT_FLOAT_EQ(f.main.GetParameter(f.base + i), expected) << kind.name << " " << i;
        }
    }
}

TEST(CustomMixPages, ARecordThePasteRulesRefuseChangesAndForwardsNothing)
{
    for (const Kind& kind : kKinds) {
        const char* other = kind.flavor == std::string("qimx") ? "qcmx" : "qimx";
        const size_t n = kind.names.size();
        const struct {
            const char* what;
            const char* flavor;
            std::vector<uint8_t> bytes;
        } cases[] = {
            {"one value short", kind.flavor, RecordBytes(kind.flavor, std::vector<float>(n - 1, 0.2f))},
            {"one value too many", kind.flavor, RecordBytes(kind.flavor, std::vector<float>(n + 1, 0.2f))},
            {"a NaN", kind.flavor,
             [&] {
                 std::vector<float> v(n, 0.2f);
                 v[n - 1] = kNaN;
                 return RecordBytes(kind.flavor, v);
             }()},
            {"the other kind's record", other, RecordBytes(other, std::vector<float>(n, 0.2f))},
        };
        for (const auto& c : cases) {
            Forwarding f(kind, 0);
            Paste(f, kind, c.flavor, c.bytes);
            EXPECT_TRUE(f.counter.changes.empty()) << kind.name << ": " << c.what;
            for (int32_t i = 0; i < int32_t(n); ++i)
                EXPECT_NE(f.own->GetParameter(i), 0.2f) << kind.name << ": " << c.what;
        }
    }
}
