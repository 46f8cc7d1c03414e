#include "PAL/ViewLib/View.h"

#include <algorithm>

#include "PAL/DrawContext.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/HoverCallback.h"

View::View(const LayoutRecord* record, ControlPage* owner)
    : m_owner(owner),
      m_left(record ? record->left : 0),
      m_right(record ? record->right : 0),
      m_top(record ? record->top : 0),
      m_bottom(record ? record->bottom : 0),
      m_id(record ? record->index : 0),
      m_record(record),
      m_hidden(record && (record->hidden & 0xFF) != 0)
{
}

View::~View()
{
    for (View* child : m_children)
        delete child;
    delete m_hoverCallback;
}

void View::SetBitmaps(const char* const*, int32_t) {}

void View::GetName(char* buffer, int32_t length)
{
    if (!buffer || length <= 0 || !m_record || !m_owner || !m_owner->GetSet())
        return;
    const int32_t index = m_record->params[0];
    ParameterSet* set = m_owner->GetSet();
    if (index < 0 || index >= set->GetParameterCount())
        return;
    set->GetParameterName(index, buffer, length);
}

View* View::FindById(int32_t id)
{
    if (m_id == id)
        return this;
    for (View* child : m_children)
        if (View* found = child->FindById(id))
            return found;
    return nullptr;
}

bool View::IsResettable(int32_t)
{
    return true;
}

void View::SetHidden(bool hidden, DrawContext* context)
{
    if (!m_hidden && hidden && m_tracking) {
        // The drag ends here: a later poll must not release a second time.
        m_tracking = false;
        OnRelease(context);
    }
    m_hidden = hidden;
    Invalidate();
}

void View::OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context)
{
    if (m_hidden)
        return;
    View* target = FindViewAt(x, y);
    if (target && target != this)
        target->OnMouseDown(x, y, modifiers, pressed, context);
}

void View::SetMouseOver(bool over, DrawContext*)
{
    m_over = over;
    if (m_hoverCallback)
        m_hoverCallback->Invoke(this);
}

void View::OnResetClick(int32_t x, int32_t y, DrawContext* context)
{
    if (m_hidden)
        return;
    View* target = FindViewAt(x, y);
    if (!target)
        return;
    if (target != this)
        target->OnResetClick(x, y, context);
    else if (m_owner)
        m_owner->ResetToDefault(m_id);
}

void View::OnMouseMove(DrawContext* context)
{
    // Index loop: a child's drag may hide or show views but never changes the tree's shape.
    for (size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->OnMouseMove(context);
    if (!m_tracking)
        return;
    if (context && context->IsMouseDown()) {
        OnDrag(context);
        return;
    }
    OnDrag(context);
    // Cleared before the release: a release handler may run a modal loop that polls again.
    m_tracking = false;
    OnRelease(context);
}

void View::OnValueChanged(int32_t) {}

void View::OnKey(int32_t key, int32_t second, DrawContext* context)
{
    View* focused = FindFocused();
    if (focused && focused != this)
        focused->OnKey(key, second, context);
}

void View::Broadcast(DrawContext* context)
{
    for (size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->Broadcast(context);
}

void View::OnDrag(DrawContext*) {}

void View::OnRelease(DrawContext*) {}

View* View::GetChild(int32_t i) const
{
    return i >= 0 && size_t(i) < m_children.size() ? m_children[size_t(i)] : nullptr;
}

void View::AddChild(View* view)
{
    if (!view)
        return;
    view->SetParent(this);
    m_children.push_back(view);
}

void View::RemoveChild(View* view)
{
    const auto it = std::find(m_children.begin(), m_children.end(), view);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    view->SetParent(nullptr);
    if (m_hovered == view)
        m_hovered = nullptr;
}

bool View::Contains(int32_t x, int32_t y) const
{
    return m_left <= x && x <= m_right && m_top <= y && y <= m_bottom;
}

View* View::FindViewAt(int32_t x, int32_t y)
{
    if (m_hidden || !Contains(x, y))
        return nullptr;
    for (View* child : m_children) {
        if (child->IsHidden())
            continue;
        if (View* found = child->FindViewAt(x, y))
            return found;
    }
    return this;
}

void View::SetRect(const Rect& rect)
{
    m_left = rect.left;
    m_right = rect.right;
    m_top = rect.top;
    m_bottom = rect.bottom;
}

void View::GetRect(Rect& rect) const
{
    rect = GetBounds();
}

void View::SetSize(int32_t width, int32_t height)
{
    m_right = m_left + width;
    m_bottom = m_top + height;
}

void View::MoveBy(int32_t dx, int32_t dy)
{
    m_left += dx;
    m_right += dx;
    m_top += dy;
    m_bottom += dy;
    Invalidate();
    for (View* child : m_children)
        child->MoveBy(dx, dy);
}

void View::Paint(DrawContext* context)
{
    if (!m_hidden)
        for (View* child : m_children)
            if (!context || context->IsInClip(child->GetPaintReach()))
                child->Paint(context);
    m_dirty = false;
}

void View::PaintAtOnce(DrawContext* context)
{
    Paint(context);
    if (m_owner && context)
        m_owner->PaintedAtOnce(this);
}

void View::Invalidate()
{
    m_dirty = true;
    if (m_owner)
        m_owner->PaintWanted();
}

Rect View::GetPaintReach() const
{
    return Rect{m_left - 1, m_right + 1, m_top - 1, m_bottom + 1};
}

bool View::NeedsPaint() const
{
    if (m_hidden)
        return false;
    if (m_dirty)
        return true;
    for (const View* child : m_children)
        if (child->NeedsPaint())
            return true;
    return false;
}

void View::InvalidateTree()
{
    Invalidate();
    for (View* child : m_children)
        child->InvalidateTree();
}

void View::InvalidateAll()
{
    GetRoot()->InvalidateTree();
}

View* View::GetRoot()
{
    View* root = this;
    while (root->GetParent())
        root = root->GetParent();
    return root;
}

bool View::IsVisibleInTree() const
{
    for (const View* view = this; view; view = view->GetParent())
        if (view->IsHidden())
            return false;
    return true;
}

void View::SetFocus(bool focused)
{
    ClearFocusAll();
    m_focused = focused;
}

void View::ClearFocusTree()
{
    if (m_focused) {
        m_focused = false;
        Invalidate();
    }
    for (View* child : m_children)
        child->ClearFocusTree();
}

void View::ClearFocusAll()
{
    GetRoot()->ClearFocusTree();
}

View* View::FindFocused()
{
    if (m_focused)
        return this;
    for (View* child : m_children)
        if (View* found = child->FindFocused())
            return found;
    return nullptr;
}

void View::UpdateHover(int32_t x, int32_t y, DrawContext* context)
{
    if (m_hidden)
        return;
    View* found = FindViewAt(x, y);
    if (found && found == m_hovered)
        return;
    if (m_hovered)
        m_hovered->SetMouseOver(false, context);
    m_hovered = found;
    if (found)
        found->SetMouseOver(true, context);
}

void View::SetHoverCallback(HoverCallbackBase* callback)
{
    if (callback == m_hoverCallback)
        return;
    delete m_hoverCallback;
    m_hoverCallback = callback;
}
