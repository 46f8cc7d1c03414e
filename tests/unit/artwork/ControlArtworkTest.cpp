// Every record of the twelve layout tables built as the program builds it: one ControlPage per table
// over a parameter set that covers the table's parameter indices, the registered control classes, and
// the built archive. What each control draws from the artwork is checked through the controls: the
// whole of its rectangle in every state, the same pixels where controls overlap whichever paints last,
// knob strips at the frames and pitches the knobs cut, and a few whole windows against their backdrop
// and artwork.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/LayoutTables.h"
#include "PAL/ViewLib/ControlGeometry.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flKnob.h"
#include "PAL/ViewLib/flTextKnob.h"
#include "PAL/ViewLib/flTray2.h"
#include "PAL/ViewLib/flTray3.h"
#include "PAL/ViewLib/flTray4.h"
#include "PAL/ViewLib/flVSlider.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr uint32_t kUnpainted = 0xFF00FF;  // a colour the artwork never uses

bool Is(const View* v, const char* cls) { return !strcmp(v->GetRecord()->className, cls); }

bool IsKnob(const View* v)
{
    return Is(v, "flKnob") || Is(v, "flKnob2") || Is(v, "flKnob3") || Is(v, "flTextKnob");
}

bool IsPushButton(const View* v)
{
    return Is(v, "flPushButton") || Is(v, "flCopyButton") || Is(v, "flPasteButton") || Is(v, "flHPushButton") ||
           Is(v, "flFXPushButton");
}

// The knob part that cuts the strips: the view itself, or a text knob's knob.
const flKnob* KnobOf(const View* v)
{
    if (Is(v, "flTextKnob"))
        return &static_cast<const flTextKnob*>(v)->GetKnob();
    return IsKnob(v) ? static_cast<const flKnob*>(v) : nullptr;
}

// The lowest value that shows frame t of a knob.
float ValueOfFrame(int32_t t)
{
    for (int i = 0; i <= 10000; ++i)
        if (flKnob::FrameOf(float(i) / 10000) == t)
            return float(i) / 10000;
    ADD_FAILURE() << "no value shows frame " << t;
    return 0.0f;
}

Rect Intersection(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::min(a.right, b.right), std::max(a.top, b.top),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

std::string Describe(const Rect& r)
{
    return std::to_string(r.left) + ".." + std::to_string(r.right - 1) + " x " + std::to_string(r.top) + ".." +
           std::to_string(r.bottom - 1);
}

// One window of the program: its table built by a page on a fake window, over a parameter set with one
// parameter per index the table binds. Parameters run 0..1, but a rate selection runs 0..6 so that
// the rate lamps' codes are plain values.
struct RealWindow : TestPage {
    explicit RealWindow(const LayoutTable& t)
        : TestPage(Descriptors(t), std::vector<LayoutRecord>(t.records, t.records + t.count), t.width, t.height),
          table(t)
    {
    }

    static std::vector<ParamDescriptor> Descriptors(const LayoutTable& t)
    {
        int32_t count = 0;
        std::vector<int32_t> plainRates;
        for (int32_t i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            for (int32_t k = 0; k < kLayoutMaxParams && r.params[k] != -1; ++k)
                count = std::max(count, r.params[k] + 1);
            if (!strcmp(r.className, "flRateLed") || !strcmp(r.className, "flExtText"))
                plainRates.push_back(r.params[0]);
        }
        std::vector<ParamDescriptor> d;
        for (int32_t i = 0; i < count; ++i) {
            const bool rate = std::find(plainRates.begin(), plainRates.end(), i) != plainRates.end();
            d.push_back(MakeDescriptor(("P" + std::to_string(i)).c_str(), 0, rate ? 6 : 1, 0, UnitNone,
                                       TaperLinear, i));
        }
        return d;
    }

    std::vector<View*> Views() const
    {
        std::vector<View*> all;
        for (int32_t i = 0; i < page->GetViewCount(); ++i)
            all.push_back(V(i));
        return all;
    }

    // Every bound parameter of the view at the normalised value v.
    void Set(const View* v, float value)
    {
        const int32_t control = Position(v);
        for (int32_t sub = 0; sub < v->GetValueCount(); ++sub)
            page->SetValue(control, sub, value);
    }
    int32_t Position(const View* v) const
    {
        for (int32_t i = 0; i < page->GetViewCount(); ++i)
            if (V(i) == v)
                return i;
        return -1;
    }
    // Every parameter of the set, every meter's level and every type symbol at the normalised value v.
    void SetAll(float v)
    {
        for (int32_t i = 0; i < set.GetParameterCount(); ++i)
            set.SetParameter(i, v);
        for (View* view : Views()) {
            if (auto* meter = dynamic_cast<LevelMeter*>(view))
                meter->SetLevel(v);
            if (Is(view, "flEQType"))
                static_cast<flEQType*>(view)->SetType(int32_t(v * 4.0f + 0.5f));
        }
    }

    // The view paints itself (and its children) on its own, as it does when it alone changed.
    void PaintAlone(View* v)
    {
        DrawContext* context = page->GetContext();
        context->BeginDraw();
        v->Paint(context);
        context->EndDraw();
    }

    void Fill(const Rect& r, uint32_t colour)
    {
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                window.buffer.SetPixel(x, y, colour);
    }
    std::vector<uint32_t> Pixels(const Rect& r) const
    {
        std::vector<uint32_t> out;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                out.push_back(window.buffer.GetPixel(x, y));
        return out;
    }

    // A press held on the view's centre, and its end outside every control (no value written).
    void Hold(const View* v)
    {
        const Rect r = v->GetBounds();
        Press((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void LetGo()
    {
        MoveTo(-1000, -1000);
        Release();
    }

    std::string Name(const View* v) const
    {
        return std::string(table.name) + " record " + std::to_string(Position(v)) + " " + v->GetRecord()->className;
    }

    const LayoutTable& table;
};

std::vector<const LayoutTable*> AllTables()
{
    std::vector<const LayoutTable*> all;
    for (int w = 0; w < kLayoutWindowCount; ++w)
        all.push_back(&GetLayoutTable(LayoutWindow(w)));
    return all;
}

// The states a view is put in by its own parameters: a knob at each of its frames, other controls at
// seven levels (0, 1/6, .. 1: off and on, and each code of a rate selection), a control without
// parameters as it is.
std::vector<float> StatesOf(const View* v)
{
    if (v->GetValueCount() == 0)
        return {0.0f};
    std::vector<float> states;
    if (KnobOf(v)) {
        for (int32_t t = 0; t < kKnobFrames; ++t)
            states.push_back(ValueOfFrame(t));
        return states;
    }
    for (int k = 0; k <= 6; ++k)
        states.push_back(float(k) / 6.0f);
    return states;
}

// Pixels that differ by more than the rounding of the toolkit's blends: a blend through a mask
// takes (S x M + (255 - M) x D) / 256, so even a transparent part of a mask darkens what lies under
// it by one level, and a control blends at most twice over any pixel.
int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            const int ca = int((a[i] >> shift) & 0xFF), cb = int((b[i] >> shift) & 0xFF);
            if (std::abs(ca - cb) > 2) {
                ++n;
                break;
            }
        }
    return n;
}

bool IsAncestor(const View* a, const View* b)
{
    for (const View* p = b->GetParent(); p; p = p->GetParent())
        if (p == a)
            return true;
    return false;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadRealArchive()); }
};

// A control that paints draws every pixel of its rectangle from its artwork: nothing missing, no
// image short of the rectangle. The covers (flTray3, flTray4) lay part of an image over their
// children, the root Canvas and the logo button draw nothing of their own.
TEST_F(Controls, EachPaintsItsWholeRectangleInEveryStateOfTheWindow)
{
    int checked = 0;
    for (const LayoutTable* t : AllTables()) {
        RealWindow w(*t);
        for (int k = 0; k <= 6; ++k) {
            const float u = float(k) / 6.0f;
            w.SetAll(u);
            for (View* v : w.Views()) {
                if (!v->IsVisibleInTree() || Is(v, "Canvas") || Is(v, "flLogoButton") || Is(v, "flTray3") ||
                    Is(v, "flTray4"))
                    continue;
                const Rect r = v->GetBounds();
                w.Fill(r, kUnpainted);
                w.PaintAlone(v);
                const auto pixels = w.Pixels(r);
                const auto left = std::count(pixels.begin(), pixels.end(), kUnpainted);
                EXPECT_EQ(left, 0) << w.Name(v) << " at " << u << " leaves " << left << " pixels of "
                                   << Describe(r) << " unpainted";
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 2000);
}

// Where the rectangles of two controls overlap (neither inside the other's tree), what they draw there
// must not depend on which of them paints last: either may be the one that changed. Each is put in
// each of its states (two push buttons also held down in turn) and the overlap painted in both
// orders.
TEST_F(Controls, WhereRectanglesOverlapTheWindowDoesNotDependOnWhichPaintsLast)
{
    int pairs = 0;
    for (const LayoutTable* t : AllTables()) {
        RealWindow w(*t);
        const std::vector<View*> views = w.Views();
        for (size_t i = 0; i < views.size(); ++i)
            for (size_t j = i + 1; j < views.size(); ++j) {
                View *a = views[i], *b = views[j];
                if (a->GetChildCount() || b->GetChildCount() || IsAncestor(a, b) || IsAncestor(b, a))
                    continue;
                const Rect overlap = Intersection(a->GetBounds(), b->GetBounds());
                if (IsEmpty(overlap))
                    continue;
                ++pairs;
                bool failed = false;
                // Held down, a push button shows its pressed image; the halves of a double button
                // share a row.
                const bool holds = IsPushButton(a) && IsPushButton(b);
                for (int held = 0; held < (holds ? 3 : 1) && !failed; ++held) {
                    View* pressed = held == 1 ? a : held == 2 ? b : nullptr;
                    for (float sa : StatesOf(a))
                        for (float sb : StatesOf(b)) {
                            if (failed)
                                break;
                            w.Set(a, sa);
                            w.Set(b, sb);
                            if (!a->IsVisibleInTree() || !b->IsVisibleInTree())
                                continue;
                            if (pressed)
                                w.Hold(pressed);
                            w.Fill(overlap, kUnpainted);
                            w.PaintAlone(a);
                            w.PaintAlone(b);
                            const auto bLast = w.Pixels(overlap);
                            w.Fill(overlap, kUnpainted);
                            w.PaintAlone(b);
                            w.PaintAlone(a);
                            const auto aLast = w.Pixels(overlap);
                            if (pressed)
                                w.LetGo();
                            const int n = Differing(aLast, bLast);
                            if (n > 0) {
                                failed = true;
                                ADD_FAILURE() << w.Name(a) << " at " << sa << " and " << w.Name(b) << " at " << sb
                                              << (pressed ? " (held)" : "") << ": " << n << " pixels of "
                                              << Describe(overlap) << " depend on the order";
                            }
                        }
                }
            }
    }
    EXPECT_GT(pairs, 60);
}

// A knob cuts 29 cap frames 19 pixels wide at a pitch of 20 and draws them at (4, 4) through a mask
// of one cap, and 29 track frames at a pitch of 27 blended at (0, 0) through a mask of the whole
// strip. Every strip holds exactly those frames, and the ink of every cap and track frame lies inside
// the knob's rectangle: what falls outside it is cut off on the screen.
TEST_F(Controls, KnobStripsHoldTheirFramesAtThePitchesTheKnobsCutAndFitEveryKnob)
{
    int knobs = 0;
    for (const LayoutTable* t : AllTables()) {
        RealWindow w(*t);
        for (View* v : w.Views()) {
            const flKnob* knob = KnobOf(v);
            if (!knob)
                continue;
            ++knobs;
            SCOPED_TRACE(w.Name(v));
            const auto it = SplitLayoutArguments(v->GetRecord()->strings);
            const Bitmap *caps = BitmapCache::Get(it[0].c_str()), *capMask = BitmapCache::Get(it[1].c_str());
            const Bitmap *track = BitmapCache::Get(it[2].c_str()), *trackMask = BitmapCache::Get(it[3].c_str());
            ASSERT_TRUE(caps && capMask && track && trackMask);
            const int32_t W = knob->GetWidth(), H = knob->GetHeight();
            EXPECT_EQ(caps->GetWidth(), kKnobFrames * kCapPitch) << it[0];
            EXPECT_EQ(capMask->GetWidth(), kCapSize) << it[1];
            EXPECT_EQ(capMask->GetHeight(), caps->GetHeight()) << it[1];
            EXPECT_LE(kCapOffset + capMask->GetWidth(), W) << "the cap overruns the knob";
            EXPECT_LE(kCapOffset + capMask->GetHeight(), H) << "the cap overruns the knob";
            if (it.size() >= 6 && !Is(v, "flKnob2")) {
                const Bitmap* locked = BitmapCache::Get(it[5].c_str());
                ASSERT_NE(locked, nullptr) << it[5];
                EXPECT_TRUE(locked->GetWidth() == caps->GetWidth() && locked->GetHeight() == caps->GetHeight())
                    << it[5];
            }
            EXPECT_EQ(track->GetWidth(), kKnobFrames * kTrackPitch) << it[2];
            EXPECT_TRUE(trackMask->GetWidth() == track->GetWidth() && trackMask->GetHeight() == track->GetHeight())
                << it[3];
            // Frames with ink outside the knob, and the box of that ink.
            std::string frames;
            Rect ink = {W, 0, H, 0};
            for (int32_t f = 0; f < kKnobFrames; ++f) {
                bool out = false;
                for (int32_t y = 0; y < trackMask->GetHeight(); ++y)
                    for (int32_t x = 0; x < kTrackSize; ++x)
                        if (trackMask->GetPixel(f * kTrackPitch + x, y) != 0 && (x >= W || y >= H)) {
                            out = true;
                            ink = {std::min(ink.left, x), std::max(ink.right, x + 1), std::min(ink.top, y),
                                   std::max(ink.bottom, y + 1)};
                        }
                if (out)
                    frames += " " + std::to_string(f);
            }
            EXPECT_TRUE(frames.empty()) << it[3] << " has ink at " << Describe(ink) << ", outside the knob's " << W
                                        << " x " << H << ", in frames" << frames;
            if (Is(v, "flKnob2")) {
                // Its background is the part of its tray's image under it.
                const auto* tray = dynamic_cast<const flTray2*>(v->GetParent());
                ASSERT_TRUE(tray && tray->GetImage());
                const Rect at = v->GetBounds(), in = tray->GetBounds();
                EXPECT_LE(at.right - in.left, tray->GetImage()->GetWidth());
                EXPECT_LE(at.bottom - in.top, tray->GetImage()->GetHeight());
            }
        }
    }
    EXPECT_EQ(knobs, 60);
}

// The window as its backdrop and artwork say it looks, built beside the controls from the archive:
// the backdrop; each knob's frame for its value, its track blended through the track mask and its cap
// through the cap mask; lit buttons laid over the backdrop through their masks; lamps and labels that
// are copied whole; fader handles at their place. Pixels under the other kinds of control, and under
// an active cover, are not predicted.
class ExpectedWindow {
public:
    explicit ExpectedWindow(const RealWindow& w)
        : m_w(w),
          m_backdrop(*BitmapCache::Get(w.table.backdrop)),
          m_image(w.table.width, w.table.height),
          m_known(size_t(w.table.width * w.table.height), true)
    {
        m_backdrop.CopyTo(&m_image, 0, 0, nullptr);
        std::vector<const View*> covers;
        for (const View* v : w.Views()) {
            if (!v->IsVisibleInTree())
                continue;
            Predict(v);
            if ((Is(v, "flTray4") && static_cast<const flTray4*>(v)->IsActive()) ||
                (Is(v, "flTray3") && static_cast<const flTray3*>(v)->IsStereo()))
                covers.push_back(v);
        }
        for (const View* v : covers)
            Unknown(v->GetBounds());
    }

    // Predicted pixels the window does not show; the first of them described in where.
    int32_t Mismatches(const Bitmap& window, std::string* where) const
    {
        int32_t n = 0;
        for (int32_t y = 0; y < m_image.GetHeight(); ++y)
            for (int32_t x = 0; x < m_image.GetWidth(); ++x)
                if (m_known[size_t(y * m_image.GetWidth() + x)] && window.GetPixel(x, y) != m_image.GetPixel(x, y) &&
                    n++ == 0)
                    *where = std::to_string(x) + "," + std::to_string(y) + " under " + Owner(x, y);
        return n;
    }
    int32_t Known() const { return int32_t(std::count(m_known.begin(), m_known.end(), true)); }

private:
    float Value(const View* v, int32_t sub) const { return m_w.page->GetValue(m_w.Position(v), sub); }
    const Bitmap* Art(const View* v, size_t item) const
    {
        const auto it = SplitLayoutArguments(v->GetRecord()->strings);
        return item < it.size() ? BitmapCache::Get(it[item].c_str()) : nullptr;
    }
    // The backdrop under the view, in an image of the view's size.
    std::unique_ptr<Bitmap> Under(const View* v) const
    {
        auto part = std::make_unique<Bitmap>(v->GetWidth(), v->GetHeight());
        const Rect r = v->GetBounds();
        m_backdrop.CopyTo(part.get(), 0, 0, &r);
        return part;
    }
    void Put(const View* v, const Bitmap& image)
    {
        const Rect r = v->GetBounds();
        const Rect whole = {0, r.right - r.left, 0, r.bottom - r.top};
        image.CopyTo(&m_image, r.left, r.top, &whole);
        Known(r);
    }
    void Known(const Rect& r) { Mark(r, true); }
    void Unknown(const Rect& r) { Mark(r, false); }
    void Mark(const Rect& r, bool known)
    {
        for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, m_image.GetHeight()); ++y)
            for (int32_t x = std::max(r.left, 0); x < std::min(r.right, m_image.GetWidth()); ++x)
                m_known[size_t(y * m_image.GetWidth() + x)] = known;
    }
    std::string Owner(int32_t x, int32_t y) const
    {
        std::string owner = "the backdrop";
        for (const View* v : m_w.Views())
            if (v->IsVisibleInTree() && v->GetParent() && x >= v->GetBounds().left && x < v->GetBounds().right &&
                y >= v->GetBounds().top && y < v->GetBounds().bottom)
                owner = m_w.Name(v);
        return owner;
    }

    void Knob(const View* v)
    {
        std::unique_ptr<Bitmap> work = Under(v);
        if (Is(v, "flKnob2")) {
            const View* tray = v->GetParent();
            const Rect at = v->GetBounds(), from = tray->GetBounds();
            const Rect in = {at.left - from.left, at.right - from.left, at.top - from.top, at.bottom - from.top};
            work = std::make_unique<Bitmap>(v->GetWidth(), v->GetHeight());
            static_cast<const flTray2*>(tray)->GetImage()->CopyTo(work.get(), 0, 0, &in);
        }
        const bool locked = Is(v, "flKnob3") && Value(v, 1) != 0.0f;
        const Bitmap *caps = Art(v, locked ? 5 : 0), *capMask = Art(v, 1), *track = Art(v, 2), *trackMask = Art(v, 3);
        const int32_t t = flKnob::FrameOf(Value(v, 0));
        const Rect trackFrame = {t * kTrackPitch, t * kTrackPitch + kTrackSize, 0,
                                 track->GetHeight()};
        track->CopyMasked(work.get(), trackMask, 0, 0, &trackFrame, true);
        Bitmap cap(capMask->GetWidth(), capMask->GetHeight());
        const Rect capFrame = {t * kCapPitch, t * kCapPitch + kCapSize, 0, caps->GetHeight()};
        caps->CopyTo(&cap, 0, 0, &capFrame);
        cap.CopyMasked(work.get(), capMask, kCapOffset, kCapOffset, nullptr, true);
        Put(v, *work);
    }

    void Predict(const View* v)
    {
        const auto it = SplitLayoutArguments(v->GetRecord()->strings);
        if (!v->GetParent() || Is(v, "flCanvas") || Is(v, "flLogoButton") || Is(v, "flTray3") || Is(v, "flTray4") ||
            (Is(v, "flTray2") && it.size() == 2 && it[1] == "0")) {
            Put(v, *Under(v));  // the backdrop, or nothing of its own over it
        } else if (Is(v, "flKnob") || Is(v, "flKnob2") || Is(v, "flKnob3") || Is(v, "flTextKnob")) {
            Knob(v);
            if (Is(v, "flTextKnob"))
                Unknown({v->GetBounds().left - 4, v->GetBounds().right + 4, v->GetBounds().bottom + 8,
                         v->GetBounds().bottom + 18});  // its label
        } else if (Is(v, "flButton") || Is(v, "flButton2")) {
            std::unique_ptr<Bitmap> image = Under(v);
            if (Value(v, 0) != 0.0f) {
                if (it.size() == 3)
                    Art(v, 0)->CopyMasked(image.get(), Art(v, 1), 0, 0, nullptr, true);
                else
                    Art(v, 0)->CopyTo(image.get(), 0, 0, nullptr);
            }
            Put(v, *image);
        } else if (Is(v, "flPushButton") || Is(v, "flCopyButton") || Is(v, "flPasteButton") || Is(v, "flPPM") ||
                   Is(v, "flInvPPM")) {
            Put(v, *Under(v));  // not held, no level
        } else if (Is(v, "flRateLed")) {
            const bool lit = m_w.page->GetPlainValue(m_w.Position(v), 0) == float(it[3][0] - '0');
            Put(v, lit ? *Art(v, 0) : *Under(v));
        } else if (Is(v, "flExtLed")) {
            Put(v, Value(v, 0) != 0.0f ? *Art(v, 0) : *Under(v));
        } else if (Is(v, "flExtText")) {
            Put(v, m_w.page->GetPlainValue(m_w.Position(v), 0) == 6.0f ? *Art(v, 0) : *Under(v));
        } else if (Is(v, "flVSlider")) {
            std::unique_ptr<Bitmap> image = Under(v);
            const int32_t top = int32_t((1.0f - Value(v, 0)) * float(kFaderTravel)) + kFaderTop;
            Art(v, 0)->CopyMasked(image.get(), Art(v, 1), 0, top, nullptr, true);
            Put(v, *image);
        } else {
            Unknown(v->GetBounds());
        }
    }

    const RealWindow& m_w;
    const Bitmap& m_backdrop;
    Bitmap m_image;
    std::vector<bool> m_known;
};

// Whole windows composed by their pages from the real archive, against the backdrop and the artwork.
// A paint after changes draws again only the controls that changed, with what lies under and over
// them: in every window, after any mix of changed values, meter levels and presses, the window holds
// what a paint of the whole tree gives (up to the rounding of blends where controls overlap).
TEST_F(Controls, APaintOfWhatChangedLeavesTheWindowAsAWholePaintWould)
{
    uint32_t seed = 2024;
    auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (const LayoutTable* t : AllTables()) {
        RealWindow w(*t);
        w.SetAll(0.3f);
        w.Tick();
        const std::vector<View*> views = w.Views();
        const Rect all = {0, t->width, 0, t->height};
        for (int round = 0; round < 60; ++round) {
            for (uint32_t k = 0, n = 1 + next(3); k < n; ++k) {
                View* v = views[next(uint32_t(views.size()))];
                if (auto* meter = dynamic_cast<LevelMeter*>(v))
                    meter->SetLevel(float(next(101)) / 100.0f);
                else
                    w.Set(v, float(next(1001)) / 1000.0f);
            }
            const bool held = next(4) == 0;
            if (held)
                w.Hold(views[next(uint32_t(views.size()))]);
            w.Tick();
            const std::vector<uint32_t> partial = w.Pixels(all);
            w.page->GetRoot()->InvalidateTree();
            w.page->Paint();
            const std::vector<uint32_t> whole = w.Pixels(all);
            EXPECT_EQ(Differing(partial, whole), 0) << t->name << ", round " << round;
            if (held)
                w.LetGo();
        }
    }
}

// A control that draws itself at once (a knob or fader on each drag step, a meter on its tick) draws
// over the edges of the controls that paint after it. Every control of every window, with its
// parameters off and on, is dragged 9 right and 17 up from its centre, and every meter gets a level
// and a tick: when that drew at once, the window then holds pixel for pixel what a paint of the whole
// tree gives.
TEST_F(Controls, AfterEachDragStepAndMeterTickTheWindowIsAWholePaintOfIt)
{
    int dragged = 0;
    for (const LayoutTable* t : AllTables())
        for (float setting : {0.0f, 1.0f}) {
            RealWindow w(*t);
            w.SetAll(setting);
            // A full-scale level shows the clip bar for five ticks, and its end shows with the next level.
            for (int tick = 0; tick < 6; ++tick)
                w.Tick();
            for (View* v : w.Views())
                if (auto* meter = dynamic_cast<LevelMeter*>(v))
                    meter->SetLevel(0.5f);
            w.Tick();
            const Rect all = {0, t->width, 0, t->height};
            auto expectWhole = [&](const View* v, const char* step) {
                const std::vector<uint32_t> shown = w.Pixels(all);
                w.page->GetRoot()->InvalidateTree();
                w.page->Paint();
                const std::vector<uint32_t> whole = w.Pixels(all);
                size_t first = shown.size(), differing = 0;
                for (size_t i = 0; i < shown.size(); ++i)
                    if (shown[i] != whole[i] && differing++ == 0)
                        first = i;
                EXPECT_EQ(differing, 0u) << w.Name(v) << " at " << setting << " " << step << ", first at "
                                         << first % size_t(t->width) << "," << first / size_t(t->width);
            };
            for (View* v : w.Views()) {
                if (!v->IsVisibleInTree())
                    continue;
                if (auto* meter = dynamic_cast<LevelMeter*>(v)) {
                    meter->SetLevel(setting > 0.0f ? 0.2f : 0.6f);  // below full scale: no clip hold
                    w.Tick();
                    expectWhole(v, "after its tick");
                    continue;
                }
                const Rect r = v->GetBounds();
                const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
                w.Press(x, y);
                w.window.changed.clear();
                w.MoveTo(x + 9, y - 17);
                const bool drewAtOnce = !w.window.changed.empty();
                w.PaintIfNeeded();
                if (drewAtOnce) {
                    ++dragged;
                    expectWhole(v, "dragged");
                }
                w.Release();
                w.PaintIfNeeded();
            }
        }
    EXPECT_GT(dragged, 100);
}

// One knob that turns draws its own pixels again and hardly any around them, on the main window as on
// the smallest.
TEST_F(Controls, AChangedKnobDrawsOnlyAroundItself)
{
    for (LayoutWindow which : {LayoutWindow::Main, LayoutWindow::CustomInputMix}) {
        RealWindow w(GetLayoutTable(which));
        w.SetAll(0.3f);
        w.Tick();
        const auto views = w.Views();
        const auto knob =
            std::find_if(views.begin(), views.end(), [](const View* v) { return IsKnob(v) && v->IsVisibleInTree(); });
        ASSERT_NE(knob, views.end());
        w.window.changed.clear();
        w.Set(*knob, 0.9f);
        w.Tick();
        const Rect reach = (*knob)->GetPaintReach();
        const int64_t area = int64_t(reach.right - reach.left) * (reach.bottom - reach.top);
        EXPECT_GT(w.window.ChangedPixels(), 0);
        // The backdrop under it, the knob, and what overlaps it: a few times its area, not the window's.
        EXPECT_LE(w.window.ChangedPixels(), 4 * area) << w.Name(*knob);
    }
}

TEST_F(Controls, ComposedWindowsShowTheirBackdropWithEachControlsArtwork)
{
    const struct {
        LayoutWindow window;
        int32_t minimumKnown;  // predicted pixels
    } windows[] = {{LayoutWindow::Reverb, 17000}, {LayoutWindow::Main, 190000}, {LayoutWindow::CustomInputMix, 40000},
                   {LayoutWindow::Tiny, 20000},   {LayoutWindow::Eq, 50000}};
    for (const auto& c : windows) {
        RealWindow w(GetLayoutTable(c.window));
        std::vector<bool> knobValue(size_t(w.set.GetParameterCount()), false);
        for (const View* v : w.Views())
            if (KnobOf(v) && v->GetValueCount() > 0)
                knobValue[size_t(v->GetRecord()->params[0])] = true;
        // Knob values at one of 0, 1/4 .. 1 and every other parameter off or on, neighbours apart and
        // moved on by each pass (so the main window's stereo switch goes on and off again).
        for (int pass = 0; pass < 3; ++pass) {
            for (int32_t i = 0; i < w.set.GetParameterCount(); ++i)
                w.set.SetParameter(i, knobValue[size_t(i)] ? float((i * 3 + pass) % 5) / 4.0f : float((i + pass) % 2));
            w.page->Paint();
            const ExpectedWindow expected(w);
            std::string where;
            EXPECT_EQ(expected.Mismatches(w.window.buffer, &where), 0)
                << w.table.name << " pass " << pass << ", first at " << where;
            EXPECT_GE(expected.Known(), c.minimumKnown) << w.table.name;
        }
    }
}

// The rate lamps sit at a pitch of 8 and are 9 high: each shares a row with its neighbours. Stepping
// the rate selection through every code, up and down, repaints the lamps that change, in table order;
// the lit lamp shows whole and the others show the backdrop, whichever of them painted last.
TEST_F(Controls, EachRateLampShowsWholeWhenLitWhicheverNeighbourPaintsLast)
{
    RealWindow w(GetLayoutTable(LayoutWindow::SampleRate));
    w.page->Paint();
    std::vector<const View*> lamps;
    for (const View* v : w.Views())
        if (Is(v, "flRateLed"))
            lamps.push_back(v);
    ASSERT_EQ(lamps.size(), 5u);
    const int32_t selector = w.Position(lamps[0]);  // any lamp sets the rate selection
    for (float code : {1.0f, 2.0f, 3.0f, 4.0f, 6.0f, 5.0f, 4.0f, 3.0f, 2.0f, 1.0f, 6.0f, 1.0f}) {
        w.page->SetPlainValue(selector, 0, code);
        w.set.SetParameter(1, code > 3.0f ? 1.0f : 0.0f);  // the external clock lamp
        w.PaintIfNeeded();
        const ExpectedWindow expected(w);
        std::string where;
        EXPECT_EQ(expected.Mismatches(w.window.buffer, &where), 0) << "rate " << code << ", first at " << where;
        EXPECT_GE(expected.Known(), 93 * 93 - 400);
        for (const View* v : lamps) {
            const auto it = SplitLayoutArguments(v->GetRecord()->strings);
            if (float(it[3][0] - '0') != code)
                continue;
            const Rect r = v->GetBounds();
            int32_t wrong = 0;
            for (int32_t y = r.top; y < r.bottom; ++y)
                for (int32_t x = r.left; x < r.right; ++x)
                    wrong += w.window.buffer.GetPixel(x, y) !=
                             BitmapCache::Get(it[0].c_str())->GetPixel(x - r.left, y - r.top);
            EXPECT_EQ(wrong, 0) << w.Name(v) << " lit at rate " << code << " shows " << wrong
                                << " pixels other than " << it[0];
        }
    }
}

}  // namespace
