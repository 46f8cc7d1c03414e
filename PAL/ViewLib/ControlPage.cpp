#include "PAL/ViewLib/ControlPage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/PixelDrawContext.h"
#include "PAL/ViewLib/View.h"
#include "PAL/ViewLib/ViewFactory.h"
#include "platform/Assert.h"

namespace {
int32_t g_livePages = 0;

// More separate rectangles than this are painted as their bounding box, in one walk of the tree.
constexpr size_t kMaxPaintRects = 16;

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Rect Union(const Rect& a, const Rect& b)
{
    return Rect{std::min(a.left, b.left), std::max(a.right, b.right), std::min(a.top, b.top),
                std::max(a.bottom, b.bottom)};
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

// Walks the tree under view in paint order: once target is passed, every visible view whose reach
// meets drawn adds the part they share.
void CollectOver(const View* view, const View* target, const Rect& drawn, bool& passed, std::vector<Rect>& out)
{
    if (view->IsHidden())
        return;
    if (view == target) {
        passed = true;
    } else if (passed) {
        const Rect reach = view->GetPaintReach();
        if (Overlap(reach, drawn))
            out.push_back(Rect{std::max(reach.left, drawn.left), std::min(reach.right, drawn.right),
                               std::max(reach.top, drawn.top), std::min(reach.bottom, drawn.bottom)});
    }
    for (uint32_t i = 0; i < view->GetChildCount(); ++i)
        CollectOver(view->GetChild(int32_t(i)), target, drawn, passed, out);
}

// The views a tick of view reaches first: view itself when it has a tick of its own, else those of
// its children in order.
void CollectTickers(View* view, std::vector<View*>& out)
{
    if (view->HasOwnTick()) {
        out.push_back(view);
        return;
    }
    for (uint32_t i = 0; i < view->GetChildCount(); ++i)
        CollectTickers(view->GetChild(int32_t(i)), out);
}

// The paint reach of every dirty view under view whose parent is on screen (a hidden dirty view was
// just hidden: what lay under it shows again).
void CollectDirty(const View* view, std::vector<Rect>& out)
{
    if (view->IsDirty())
        out.push_back(view->GetPaintReach());
    if (view->IsHidden())
        return;
    if (view->RepaintsWholeForChildren()) {
        std::vector<Rect> below;
        for (uint32_t i = 0; i < view->GetChildCount(); ++i)
            CollectDirty(view->GetChild(int32_t(i)), below);
        if (!below.empty())
            out.push_back(view->GetPaintReach());
        return;
    }
    for (uint32_t i = 0; i < view->GetChildCount(); ++i)
        CollectDirty(view->GetChild(int32_t(i)), out);
}

// Entries of a record's parameter list before its -1 (never more than the list can hold).
int32_t ParameterCount(const LayoutRecord& record)
{
    int32_t n = 0;
    while (n < kLayoutMaxParams - 1 && record.params[n] != -1)
        ++n;
    return n;
}
}  // namespace

ControlPage::ControlPage(ParameterSet* set, const LayoutRecord* table, int32_t count)
    : m_set(set), m_table(table), m_count(table && count > 0 ? count : 0)
{
    RegisterViewClasses();
    const int32_t parameters = m_set ? m_set->GetParameterCount() : 0;
    m_bindings.resize(size_t(parameters));
    m_views.reserve(size_t(m_count));
    for (int32_t i = 0; i < m_count; ++i) {
        const LayoutRecord& record = m_table[i];
        VELBRIN_ASSERT(i == 0 ? record.parent == -1 : (record.parent >= 0 && record.parent < i));
        View* view = CreateView(&record, this);
        if (i > 0)
            m_views[size_t(record.parent)]->AddChild(view);
        SplitLayoutStrings(view, record.strings);
        const int32_t bound = ParameterCount(record);
        for (int32_t k = 0; k < bound; ++k) {
            const int32_t p = record.params[k];
            if (p >= 0 && p < parameters)
                m_bindings[size_t(p)].emplace_back(i, k);
        }
        view->SetValueCount(bound);
        m_views.push_back(view);
    }
    if (View* root = GetRoot())
        CollectTickers(root, m_tickers);
    if (m_set)
        m_set->AddObserver(this);
    ++g_livePages;
}

ControlPage::~ControlPage()
{
    if (m_set)
        m_set->RemoveObserver(this);
    delete GetRoot();
    m_views.clear();
    DetachContext();
    if (--g_livePages == 0)
        BitmapCache::Empty();
}

void ControlPage::OnParameterChanged(int32_t index)
{
    if (index < 0 || size_t(index) >= m_bindings.size())
        return;
    // A control's reaction may change other values, never this page's bindings.
    for (const auto& [control, sub] : m_bindings[size_t(index)])
        m_views[size_t(control)]->OnValueChanged(sub);
}

void ControlPage::AttachWindow(PlatformWindow* window)
{
    DetachContext();
    m_context = new PixelDrawContext(window);
    m_ownsContext = true;
    RefreshAll();
}

void ControlPage::SetContext(DrawContext* context)
{
    if (context != m_context) {
        DetachContext();
        m_context = context;
    }
    if (m_context)
        RefreshAll();
}

void ControlPage::DetachContext()
{
    if (m_ownsContext)
        delete m_context;
    m_context = nullptr;
    m_ownsContext = false;
}

void ControlPage::GetSize(int32_t& width, int32_t& height) const
{
    width = m_count ? m_table[0].right - m_table[0].left : 0;
    height = m_count ? m_table[0].bottom - m_table[0].top : 0;
}

void ControlPage::SetPosition(int32_t x, int32_t y)
{
    View* root = GetRoot();
    if (!root)
        return;
    const Rect now = root->GetBounds();
    root->MoveBy(x + m_table[0].left - now.left, y + m_table[0].top - now.top);
}

void ControlPage::Paint()
{
    WithRoot([&](View* root, DrawContext* context) {
        const std::vector<Rect> region = DirtyRegion();
        if (region.empty() || !context->SetClip(&region.front())) {
            root->Paint(context);
        } else {
            for (const Rect& r : region) {
                context->SetClip(&r);
                root->Paint(context);
            }
            context->SetClip(nullptr);
        }
        m_paintWanted = false;
        m_overdrawn.clear();
    });
}

void ControlPage::PaintedAtOnce(const View* view)
{
    const View* root = GetRoot();
    if (!root || !view)
        return;
    const Rect drawn = view->GetPaintReach();
    std::vector<Rect> over;
    bool passed = false;
    CollectOver(root, view, drawn, passed, over);
    if (!passed)
        over.assign(1, drawn);
    for (const Rect& r : over)
        if (std::none_of(m_overdrawn.begin(), m_overdrawn.end(), [&](const Rect& o) { return Inside(r, o); }))
            m_overdrawn.push_back(r);
    if (!over.empty())
        m_paintWanted = true;
}

std::vector<Rect> ControlPage::DirtyRegion() const
{
    std::vector<Rect> rects;
    const View* root = GetRoot();
    if (!root || root->IsDirty())
        return rects;
    CollectDirty(root, rects);
    rects.insert(rects.end(), m_overdrawn.begin(), m_overdrawn.end());
    // Overlapping rectangles become one, until none overlap.
    for (size_t i = 0; i < rects.size();) {
        bool merged = false;
        for (size_t j = i + 1; j < rects.size(); ++j)
            if (Overlap(rects[i], rects[j])) {
                rects[i] = Union(rects[i], rects[j]);
                rects.erase(rects.begin() + std::ptrdiff_t(j));
                merged = true;
                break;
            }
        if (!merged)
            ++i;
    }
    if (rects.size() > kMaxPaintRects) {
        Rect all = rects.front();
        for (const Rect& r : rects)
            all = Union(all, r);
        rects.assign(1, all);
    }
    return rects;
}

void ControlPage::OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed)
{
    WithRoot([&](View* root, DrawContext* context) {
        if (context->IsOptionDown())
            root->OnResetClick(x, y, context);
        else
            root->OnMouseDown(x, y, modifiers, pressed, context);
    });
    m_pollDrags = true;
}

void ControlPage::OnMouseMove()
{
    // Drags start only with a press: between a finished drag and the next press there is nothing to
    // poll, and idle processing skips the walk of the tree.
    if (!m_pollDrags)
        return;
    WithRoot([&](View* root, DrawContext* context) { root->OnMouseMove(context); });
    m_pollDrags = AnyTracking(GetRoot());
}

void ControlPage::Broadcast()
{
    WithRoot([&](View*, DrawContext* context) {
        for (View* view : m_tickers)
            view->Broadcast(context);
    });
}

void ControlPage::OnMouseOver(int32_t x, int32_t y)
{
    WithRoot([&](View* root, DrawContext* context) {
        root->UpdateHover(x, y, context);
    });
}

void ControlPage::OnKey(int32_t key, int32_t second)
{
    WithRoot([&](View* root, DrawContext* context) {
        root->OnKey(key, second, context);
    });
}

bool ControlPage::NeedsPaint() const
{
    if (!m_paintWanted)
        return false;
    const View* root = GetRoot();
    // Nothing to paint now; the next invalidation asks again.
    m_paintWanted = root && (!m_overdrawn.empty() || root->NeedsPaint());
    return m_paintWanted;
}

template <class Work>
void ControlPage::WithRoot(Work work)
{
    View* root = GetRoot();
    // Held locally: the work may run a modal loop during which the page is detached.
    DrawContext* context = m_context;
    if (!root || !context)
        return;
    context->BeginDraw();
    work(root, context);
    context->EndDraw();
}

int32_t ControlPage::GetParameterIndex(int32_t control, int32_t sub) const
{
    if (control < 0 || control >= m_count || sub < 0 || sub >= m_views[size_t(control)]->GetValueCount())
        return -1;
    const int32_t p = m_table[control].params[sub];
    return m_set && p >= 0 && p < m_set->GetParameterCount() ? p : -1;
}

Parameter* ControlPage::Bound(int32_t control, int32_t sub) const
{
    const int32_t p = GetParameterIndex(control, sub);
    return p < 0 ? nullptr : m_set->GetParameterObject(p);
}

float ControlPage::GetValue(int32_t control, int32_t sub) const
{
    const Parameter* parameter = Bound(control, sub);
    return parameter ? parameter->GetNormalisedValue() : 0.0f;
}

float ControlPage::GetPlainValue(int32_t control, int32_t sub) const
{
    const Parameter* parameter = Bound(control, sub);
    return parameter ? parameter->GetValue() : 0.0f;
}

void ControlPage::GetValueText(int32_t control, int32_t sub, char* buffer, int32_t length) const
{
    Parameter* parameter = Bound(control, sub);
    if (parameter && buffer && length >= 0)
        parameter->GetCurrentLabel(buffer, length);
}

void ControlPage::SetValue(int32_t control, int32_t sub, float value)
{
    Parameter* parameter = Bound(control, sub);
    if (!parameter || !std::isfinite(value))
        return;
    parameter->SetNormalisedValue(value);
    Notify(GetParameterIndex(control, sub));
}

void ControlPage::SetPlainValue(int32_t control, int32_t sub, float value)
{
    Parameter* parameter = Bound(control, sub);
    if (!parameter)
        return;
    parameter->SetValue(value);
    Notify(GetParameterIndex(control, sub));
}

void ControlPage::SetValueText(int32_t control, int32_t sub, const char* text)
{
    Parameter* parameter = Bound(control, sub);
    if (!parameter || !text)
        return;
    parameter->ParseValue(text, int32_t(strlen(text)));
    Notify(GetParameterIndex(control, sub));
}

void ControlPage::ResetValue(int32_t control, int32_t sub)
{
    Parameter* parameter = Bound(control, sub);
    if (!parameter)
        return;
    parameter->Reset();
    Notify(GetParameterIndex(control, sub));
}

void ControlPage::ResetToDefault(int32_t control)
{
    View* view = GetView(control);
    if (!view)
        return;
    for (int32_t sub = 0; sub < view->GetValueCount(); ++sub)
        if (view->IsResettable(sub))
            ResetValue(control, sub);
}

View* ControlPage::GetView(int32_t control) const
{
    return control >= 0 && control < m_count ? m_views[size_t(control)] : nullptr;
}

bool ControlPage::AnyTracking(const View* view)
{
    if (!view)
        return false;
    if (view->IsTracking())
        return true;
    for (uint32_t i = 0; i < view->GetChildCount(); ++i)
        if (AnyTracking(view->GetChild(int32_t(i))))
            return true;
    return false;
}

int32_t ControlPage::GetLivePageCount()
{
    return g_livePages;
}

void ControlPage::Notify(int32_t index)
{
    if (ParameterListener* listener = m_set->GetListener())
        listener->ParameterChanged(index);
    m_set->NotifyObservers(index);
}

void ControlPage::RefreshAll()
{
    for (int32_t i = 0; i < int32_t(m_bindings.size()); ++i)
        OnParameterChanged(i);
}
