#pragma once
// The base of every control of a skinned window. A window's controls form one tree, built by its
// ControlPage from a layout table: the view holds the tree (owned children), its rectangle in window
// pixels, its hidden, dirty, focus, tracking and pointer-over flags, the record it was made from and
// the page that owns it. Mouse presses, drag polls, ticks, keys, value changes and painting travel
// through the tree by the virtual operations below; control classes override the few they need.
//
// A point is inside a view when left <= x <= right and top <= y <= bottom (every edge included).
// GUI thread only.

#include <cstdint>
#include <vector>

#include "PAL/Bitmap.h"
#include "PAL/LayoutRecord.h"

class ControlPage;
class DrawContext;
class HoverCallbackBase;

class View {
public:
    View(const LayoutRecord* record, ControlPage* owner);
    View(const View&) = delete;
    View& operator=(const View&) = delete;
    // Deletes the children in order, then the hover callback.
    virtual ~View();

    // The record's argument items (NUL-terminated, valid during the call). The base keeps nothing.
    virtual void SetBitmaps(const char* const* items, int32_t count);
    // The name of the first bound parameter; buffer untouched when there is none.
    virtual void GetName(char* buffer, int32_t length);
    virtual void SetOwner(ControlPage* owner) { m_owner = owner; }
    virtual int32_t GetId() const { return m_id; }
    virtual void SetId(int32_t id) { m_id = id; }
    // This view or the first match depth-first among the children, else null.
    virtual View* FindById(int32_t id);
    virtual int32_t GetValueCount() const { return m_valueCount; }
    virtual void SetValueCount(int32_t count) { m_valueCount = count; }
    // Whether an Option-click resets bound parameter sub to its default.
    virtual bool IsResettable(int32_t sub);
    // Hiding a view that is tracking ends the drag: tracking is cleared and it gets OnRelease once.
    virtual void SetHidden(bool hidden, DrawContext* context);
    virtual bool IsHidden() const { return m_hidden; }

    // A press (pressed true) or release at (x, y): passed to the deepest visible view under the point.
    virtual void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context);
    virtual void SetMouseOver(bool over, DrawContext* context);
    // An Option-click: the view under the point asks its page to reset its parameters.
    virtual void OnResetClick(int32_t x, int32_t y, DrawContext* context);
    // The drag poll (idle, tick and after mouse events): children first, then this view's drag.
    virtual void OnMouseMove(DrawContext* context);
    // Bound parameter sub (position in the record's parameter list) changed.
    virtual void OnValueChanged(int32_t sub);
    virtual void OnKey(int32_t key, int32_t second, DrawContext* context);
    // The periodic tick, passed to every child.
    virtual void Broadcast(DrawContext* context);
    // False for a view whose Broadcast is the base's, which only passes the tick on: a page's tick
    // then goes straight to its children. True unless its creator knows better (CreateViewOf).
    bool HasOwnTick() const { return m_ownTick; }
    void SetOwnTick(bool own) { m_ownTick = own; }
    virtual void OnDrag(DrawContext* context);
    virtual void OnRelease(DrawContext* context);

    virtual View* GetChild(int32_t i) const;
    virtual uint32_t GetChildCount() const { return uint32_t(m_children.size()); }
    // Takes ownership.
    virtual void AddChild(View* view);
    // Gives ownership back; the child is not deleted.
    virtual void RemoveChild(View* view);
    virtual void SetParent(View* view) { m_parent = view; }
    virtual View* GetParent() const { return m_parent; }

    virtual bool Contains(int32_t x, int32_t y) const;
    // The deepest visible view containing the point; the earliest of overlapping siblings wins.
    virtual View* FindViewAt(int32_t x, int32_t y);
    virtual void SetRect(const Rect& rect);
    virtual int32_t GetWidth() const { return m_right - m_left; }
    virtual int32_t GetHeight() const { return m_bottom - m_top; }
    virtual void GetRect(Rect& rect) const;
    virtual void SetSize(int32_t width, int32_t height);
    // Moves the view and its subtree, invalidating the view.
    virtual void MoveBy(int32_t dx, int32_t dy);

    // The base paints the children in order and clears the dirty flag; a hidden view paints nothing.
    // A child that cannot change the window inside the context's clip is not painted.
    virtual void Paint(DrawContext* context);
    // Paints the view now, outside a paint of its page (a drag step, a meter's tick). What it drew may
    // cover views that paint after it: the page's next paint draws those parts again in tree order.
    void PaintAtOnce(DrawContext* context);
    // Marks the view for painting and tells its page that a paint may be due.
    virtual void Invalidate();
    // False when hidden; else dirty or any child needs painting.
    virtual bool NeedsPaint() const;
    virtual void InvalidateTree();
    virtual void InvalidateAll();
    virtual bool HasFocus() const { return m_focused; }
    // Clears the focus of the whole tree, then stores the flag.
    virtual void SetFocus(bool focused);
    virtual void ClearFocusTree();
    virtual void ClearFocusAll();
    virtual View* FindFocused();

    // The pixels a view's paint may change: its bounds and the one-pixel ring around them (lines are
    // drawn with both end points). A view that draws beyond its bounds says so here.
    virtual Rect GetPaintReach() const;
    // True while a change of any view below this one also shows elsewhere in this view (its children
    // drawn a second time): a paint then draws all of this view again.
    virtual bool RepaintsWholeForChildren() const { return false; }

    // Hover tracking, called on the root with the pointer position.
    void UpdateHover(int32_t x, int32_t y, DrawContext* context);

    // The top of this view's tree.
    View* GetRoot();
    const LayoutRecord* GetRecord() const { return m_record; }
    Rect GetBounds() const { return Rect{m_left, m_right, m_top, m_bottom}; }
    bool IsTracking() const { return m_tracking; }
    // False when this view or one of its ancestors is hidden: nothing of it is on screen.
    bool IsVisibleInTree() const;
    bool IsOver() const { return m_over; }
    bool IsDirty() const { return m_dirty; }
    // Replaces (and deletes) the view's callback; the view owns the new one.
    void SetHoverCallback(HoverCallbackBase* callback);
    HoverCallbackBase* GetHoverCallback() const { return m_hoverCallback; }

protected:
    ControlPage* m_owner;
    bool m_dirty = true;
    int32_t m_left;
    int32_t m_right;
    int32_t m_top;
    int32_t m_bottom;
    int32_t m_id;
    const LayoutRecord* m_record;
    std::vector<View*> m_children;
    View* m_parent = nullptr;
    int32_t m_valueCount = 0;
    View* m_hovered = nullptr;
    bool m_focused = false;
    bool m_tracking = false;
    bool m_hidden;
    bool m_over = false;
    HoverCallbackBase* m_hoverCallback = nullptr;
    bool m_ownTick = true;
};
