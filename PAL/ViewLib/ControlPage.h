#pragma once
// The content of one skinned window: the views built from the window's layout table and their binding
// to the parameters of one set. Controls read and change values only through their page, addressing a
// value as (control, sub): control is the record's position in the table, sub the position in the
// record's parameter list. The page writes the parameter, tells the set's listener and observers, and,
// as an observer of the set itself, tells every bound control when a parameter changed by any route.
// Every tree operation that may draw is bracketed by the page's drawing context.
//
// The page owns its views. A context the page made itself (AttachWindow) is owned and deleted by it;
// a context lent with SetContext belongs to its window. When the last page dies the bitmap cache is
// emptied. GUI thread only: parameter changes reach the page on the GUI thread (worker changes are
// delivered there by ParameterSet::DeliverWorkerChanges).

#include <cstdint>
#include <utility>
#include <vector>

#include "PAL/Bitmap.h"
#include "PAL/LayoutRecord.h"
#include "PAL/ParameterObserver.h"

class DrawContext;
class Parameter;
class ParameterSet;
class PlatformWindow;
class View;

class ControlPage : public ParameterObserver {
public:
    // Builds one view per record (a record whose parent is not an earlier record is fatal), binds
    // them, and joins the set's observers. No context yet.
    ControlPage(ParameterSet* set, const LayoutRecord* table, int32_t count);
    ControlPage(const ControlPage&) = delete;
    ControlPage& operator=(const ControlPage&) = delete;
    ~ControlPage() override;

    // Tells every control bound to the parameter, in binding order.
    void OnParameterChanged(int32_t index) override;

    // Makes (and owns) a drawing context on window, then refreshes every parameter.
    void AttachWindow(PlatformWindow* window);
    // Uses a context owned by someone else, then refreshes every parameter; null only detaches.
    void SetContext(DrawContext* context);
    // Drops the context (deleting it when the page owns it).
    void DetachContext();
    DrawContext* GetContext() const { return m_context; }

    // Record 0's width and height.
    void GetSize(int32_t& width, int32_t& height) const;
    // Moves the tree so that its top left lies at (x, y) plus record 0's left and top.
    void SetPosition(int32_t x, int32_t y);

    // Events; each does nothing without a root or a context. A paint draws again only the views that
    // need it, with what lies under and over them (the whole tree when the context cannot clip).
    void Paint();
    // An Option-click (on press and release) resets the control's parameters instead.
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed);
    void OnMouseMove();
    void Broadcast();
    void OnMouseOver(int32_t x, int32_t y);
    void OnKey(int32_t key, int32_t second);
    bool NeedsPaint() const;
    // A view was invalidated: the next NeedsPaint looks at the tree again (until then it answers at once).
    void PaintWanted() { m_paintWanted = true; }
    // The view painted itself outside a paint of the page: where it meets views that paint after it,
    // the next paint draws again. A view outside the tree (a part of a control) has its whole reach
    // drawn again.
    void PaintedAtOnce(const View* view);

    // Values of the controls. An invalid address reads 0.0 and writes nothing.
    float GetValue(int32_t control, int32_t sub) const;
    float GetPlainValue(int32_t control, int32_t sub) const;
    // Buffer (length + 1 bytes) untouched for an invalid address.
    void GetValueText(int32_t control, int32_t sub, char* buffer, int32_t length) const;
    // Stores the normalised value as given (the control clamps; non-finite values are dropped).
    void SetValue(int32_t control, int32_t sub, float value);
    void SetPlainValue(int32_t control, int32_t sub, float value);
    void SetValueText(int32_t control, int32_t sub, const char* text);
    void ResetValue(int32_t control, int32_t sub);
    // Every resettable bound parameter of the control to its default, one after another.
    void ResetToDefault(int32_t control);

    // The parameter index behind (control, sub), or -1.
    int32_t GetParameterIndex(int32_t control, int32_t sub) const;
    ParameterSet* GetSet() const { return m_set; }
    View* GetRoot() const { return m_views.empty() ? nullptr : m_views[0]; }
    View* GetView(int32_t control) const;
    int32_t GetViewCount() const { return m_count; }
    const LayoutRecord* GetTable() const { return m_table; }

    static int32_t GetLivePageCount();

private:
    Parameter* Bound(int32_t control, int32_t sub) const;
    void Notify(int32_t index);
    void RefreshAll();
    static bool AnyTracking(const View* view);
    // The rectangles that a paint must draw again, merged where they overlap; empty for the whole tree.
    std::vector<Rect> DirtyRegion() const;
    // Runs work on the root inside one begin/end pair of the context; nothing without both.
    template <class Work>
    void WithRoot(Work work);

    ParameterSet* m_set;
    DrawContext* m_context = nullptr;
    bool m_ownsContext = false;
    bool m_pollDrags = false;  // a press may have started a drag that polls have not seen end
    mutable bool m_paintWanted = true;  // a view was invalidated since the tree was last found clean
    // Window rectangles that views painted at once have drawn over, for the next paint.
    std::vector<Rect> m_overdrawn;
    // What the root's tick reaches, in tree order: the views with a tick of their own whose ancestors
    // only pass the tick on. The tree's shape is fixed once built.
    std::vector<View*> m_tickers;
    std::vector<View*> m_views;
    std::vector<std::vector<std::pair<int32_t, int32_t>>> m_bindings;
    const LayoutRecord* m_table;
    int32_t m_count;
};
