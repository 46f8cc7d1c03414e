#include "PAL/wx/SkinWindow.h"

#include <wx/dcclient.h>
#include <wx/tooltip.h>

#include "PAL/MeterGroups.h"
#include "PAL/ParameterSet.h"
#include "PAL/PixelDrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/HoverCallback.h"
#include "PAL/ViewLib/View.h"
#include "PAL/wx/WindowTicker.h"
#include "platform/MainThread.h"
#include "platform/wx/WxClipboard.h"

namespace {


// Counts a piece of page work for as long as it runs.
class BusyScope {
public:
    explicit BusyScope(int32_t& depth) : m_depth(depth) { ++m_depth; }
    ~BusyScope() { --m_depth; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int32_t& m_depth;
};

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(SkinWindow, wxFrame)
    EVT_IDLE(SkinWindow::OnIdle)
    EVT_LEFT_DOWN(SkinWindow::OnMouseEvent)
    EVT_LEFT_UP(SkinWindow::OnMouseEvent)
    EVT_LEFT_DCLICK(SkinWindow::OnMouseEvent)
    EVT_MOTION(SkinWindow::OnMouseOver)
    EVT_LEAVE_WINDOW(SkinWindow::OnLeaveWindow)
    EVT_PAINT(SkinWindow::OnPaint)
    EVT_CLOSE(SkinWindow::OnClose)
    EVT_CONTEXT_MENU(SkinWindow::OnContextMenu)
    EVT_SET_FOCUS(SkinWindow::PromoteMeters)
    EVT_KILL_FOCUS(SkinWindow::OnKillFocus)
    EVT_ACTIVATE(SkinWindow::OnActivate)
wxEND_EVENT_TABLE()
// clang-format on

SkinWindow::SkinWindow(wxWindow* parent, wxWindowID id, const wxString& title, long style, MeterGroups* meterList,
                       int32_t meterGroup, const wxPoint& position, const wxSize& size)
    : m_surface(this, &WxClipboard::Instance()),
      m_meterList(meterList),
      m_meterGroup(meterList ? meterGroup : 0)
{
    // The paint handler covers every pixel it is asked for: no background is erased first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_creation = {parent, id, title, style, position, size};
    if (s_restWhileHidden && parent) {
        // A resting panel window gets its desktop window when it is first shown or placed. Until then
        // it is its parent's child in name only, so that it goes with the parent.
        parent->AddChild(this);
    } else {
        CreateFrame();
    }
    if (!s_restWhileHidden)
        WindowTicker::Add(this);
    else
        m_surface.SetAwake(false);  // no pixels until shown
    m_drawContext = std::make_unique<PixelDrawContext>(&m_surface);
}

bool SkinWindow::s_restWhileHidden = false;
int32_t SkinWindow::s_idleDepth = 0;

void SkinWindow::CreateFrame()
{
    if (m_created)
        return;
    m_created = true;
    wxWindow* parent = m_creation.parent;
    if (parent && GetParent() == parent)
        parent->RemoveChild(this);  // the frame's creation makes it a child again
    wxFrame::Create(parent, m_creation.id, m_creation.title, m_creation.position, m_creation.size,
                    m_creation.style, "frame");
    // A window with its own font and colours: every wxPaintDC would otherwise look them up in the
    // desktop's style again, which costs more than blitting the changed pixels. Every skinned window
    // is the same kind of frame: the desktop's style is asked once.
    static const wxVisualAttributes attributes = GetDefaultAttributes();
    SetOwnFont(attributes.font);
    SetOwnForegroundColour(attributes.colFg);
    SetOwnBackgroundColour(attributes.colBg);
    if (m_clientSize.x >= 0)
        SetClientSize(m_clientSize);
    if (m_wantsTip && !GetToolTip())
        SetToolTip(new wxToolTip(""));
}

void SkinWindow::SetRestWhileHidden(bool rest)
{
    s_restWhileHidden = rest;
    wxIdleEvent::SetMode(rest ? wxIDLE_PROCESS_SPECIFIED : wxIDLE_PROCESS_ALL);
}

SkinWindow::~SkinWindow()
{
    WindowTicker::Remove(this);
    if (m_page) {
        m_page->SetContext(nullptr);
        ReleaseViews(m_page);
    }
    m_drawContext.reset();
}

void SkinWindow::SetView(ControlPage* page)
{
    if (m_page) {
        m_page->SetContext(nullptr);
        ReleaseViews(m_page);
    }
    // No control of the new page is under the pointer yet.
    SetTip("");
    m_page = page;
    AttachView();
}

void SkinWindow::AttachView()
{
    if (!m_page)
        return;
    BusyScope busy(m_busy);
    int32_t width = 0, height = 0;
    m_page->GetSize(width, height);
    m_clientSize = wxSize(width, height);
    if (m_created)
        SetClientSize(width, height);
    m_surface.Resize(width, height);
    m_page->SetContext(m_drawContext.get());
    m_page->SetPosition(0, 0);
    m_wantsTip = true;
    if (m_created && !GetToolTip())
        SetToolTip(new wxToolTip(""));
    for (int32_t i = 0; i < m_page->GetViewCount(); ++i)
        m_page->GetView(i)->SetHoverCallback(new HoverCallback<SkinWindow>(this, &SkinWindow::OnControlHover));
    // The buffer is new: every view paints into it now, before the window is first shown (a resting
    // window's when it is shown).
    if (View* root = m_page->GetRoot())
        root->InvalidateTree();
    if (!m_surface.IsAwake())
        return;
    m_page->Paint();
    m_surface.Flush();
}

bool SkinWindow::Show(bool show)
{
    if (m_meterList && m_meterGroup != 0) {
        if (show)
            m_meterList->MoveToFront(uint32_t(m_meterGroup));
        m_meterList->SetEnabled(uint32_t(m_meterGroup), show);
    }
    // A shown window asks for idle events (they go only to the windows that ask while hidden windows
    // rest, wxIDLE_PROCESS_SPECIFIED).
    SetExtraStyle(show ? GetExtraStyle() | wxWS_EX_PROCESS_IDLE : GetExtraStyle() & ~wxWS_EX_PROCESS_IDLE);
    if (show)
        CreateFrame();
    if (s_restWhileHidden) {
        if (show)
            WindowTicker::Add(this);
        else
            WindowTicker::Remove(this);
        WakeSurface(show);
    }
    return m_created ? wxFrame::Show(show) : false;
}

bool SkinWindow::SendIdleEvents(wxIdleEvent& event)
{
    if (!s_restWhileHidden)
        return wxFrame::SendIdleEvents(event);
    if (s_idleDepth > 0 || !IsShown())
        return false;
    ++s_idleDepth;
    const bool more = wxFrame::SendIdleEvents(event);
    --s_idleDepth;
    return more;
}

void SkinWindow::WakeSurface(bool awake)
{
    if (awake == m_surface.IsAwake())
        return;
    m_surface.SetAwake(awake);
    if (!awake || !m_page)
        return;
    // New buffers: the whole page paints into them (later, from the idle work, when page work runs).
    if (View* root = m_page->GetRoot())
        root->InvalidateTree();
    IdleWork();
}

void SkinWindow::Raise()
{
    MoveMetersToFront();
    if (m_created)
        wxFrame::Raise();
}

void SkinWindow::GetPosition(int32_t& x, int32_t& y)
{
    CreateFrame();
    wxFrame::GetPosition(&x, &y);
}

void SkinWindow::GetSize(int32_t& width, int32_t& height)
{
    CreateFrame();
    wxFrame::GetSize(&width, &height);
}

void SkinWindow::SetSize(int32_t x, int32_t y, int32_t width, int32_t height)
{
    CreateFrame();
    wxFrame::SetSize(x, y, width, height, wxSIZE_AUTO);
}

void SkinWindow::SetCaption(const std::string& title)
{
    m_creation.title = wxString::FromUTF8(title.c_str());
    if (m_created)
        SetTitle(m_creation.title);
}

std::string SkinWindow::GetCaption()
{
    return std::string((m_created ? GetTitle() : m_creation.title).utf8_str());
}

void SkinWindow::OnControlHover(View* view)
{
    if (!view || !view->IsOver()) {
        SetTip("");
        return;
    }
    char name[256] = {};
    view->GetName(name, sizeof name);
    name[sizeof name - 1] = 0;
    wxString text = wxString::FromUTF8(name);
    if (text.empty())
        text = wxString::From8BitData(name);
    SetTip(text);
}

void SkinWindow::SetTip(const wxString& text)
{
    // Tooltips cannot be switched off on this desktop: an empty text hides the tip.
    if (wxToolTip* tip = GetToolTip()) {
        if (tip->GetTip() != text)
            tip->SetTip(text);
    }
}

void SkinWindow::ReleaseViews(ControlPage* page)
{
    for (int32_t i = 0; i < page->GetViewCount(); ++i) {
        View* view = page->GetView(i);
        auto* callback = dynamic_cast<HoverCallback<SkinWindow>*>(view->GetHoverCallback());
        if (callback && callback->GetWindow() == this)
            view->SetHoverCallback(nullptr);
    }
}

void SkinWindow::IdleWork()
{
    if (!m_page || m_busy > 0)
        return;
    BusyScope busy(m_busy);
    m_page->OnMouseMove();
    if (m_page && m_page->NeedsPaint())
        m_page->Paint();
    m_surface.Flush();
}

void SkinWindow::MoveMetersToFront()
{
    if (m_meterList && m_meterGroup != 0)
        m_meterList->MoveToFront(uint32_t(m_meterGroup));
}

void SkinWindow::OnIdle(wxIdleEvent&)
{
    IdleWork();
}

void SkinWindow::OnMouseEvent(wxMouseEvent& event)
{
    m_surface.GetInput()->Take(event);
    if (m_page && m_page->GetContext() && m_busy == 0) {
        BusyScope busy(m_busy);
        int32_t x = 0, y = 0;
        m_drawContext->GetMousePosition(x, y);
        const bool pressed = event.LeftDown() || event.LeftDClick();
        m_page->OnMouseDown(x, y, 0, pressed);
    }
    IdleWork();
    // A drag may have ended outside the window, from where no motion comes.
    if (event.LeftUp())
        HoverAtPointer();
}

void SkinWindow::OnMouseOver(wxMouseEvent& event)
{
    m_surface.GetInput()->Take(event);
    if (!m_drawContext->IsMouseDown())
        HoverAtPointer();
}

void SkinWindow::OnLeaveWindow(wxMouseEvent& event)
{
    // No motion comes from outside the window: a control left with a quick move ends its hover here.
    // While a button is held the release does it (OnMouseEvent).
    m_surface.GetInput()->Take(event);
    if (!m_drawContext->IsMouseDown())
        HoverAtPointer();
    event.Skip();
}

void SkinWindow::HoverAtPointer()
{
    if (!m_page || !m_page->GetContext() || m_busy > 0)
        return;
    BusyScope busy(m_busy);
    int32_t x = 0, y = 0;
    m_drawContext->GetMousePosition(x, y);
    int32_t width = 0, height = 0;
    GetClientSize(&width, &height);
    // The page's edges are inclusive: a pointer just right of or below the window would still hit them.
    if (x < 0 || y < 0 || x >= width || y >= height)
        x = y = -1;
    m_page->OnMouseOver(x, y);
    m_surface.Flush();
}

void SkinWindow::OnPaint(wxPaintEvent&)
{
    m_surface.Paint();
}

void SkinWindow::OnClose(wxCloseEvent& event)
{
    if (m_meterList && m_meterGroup != 0)
        m_meterList->MoveToBack(uint32_t(m_meterGroup));
    if (event.CanVeto()) {
        event.Veto();
        Show(false);
    }
}

void SkinWindow::OnContextMenu(wxContextMenuEvent&) {}

void SkinWindow::Tick()
{
    if (m_busy > 0)
        return;
    // A button may have been let go where no event of this window tells of it: the drag poll below
    // asks the desktop once.
    m_surface.GetInput()->Expire();
    {
        BusyScope busy(m_busy);
        OnTick();
        ParameterSet::DeliverWorkerChanges();
        DrainMainThreadQueue();
        if (m_page)
            m_page->Broadcast();
    }
    IdleWork();
}

void SkinWindow::PromoteMeters(wxFocusEvent&)
{
    MoveMetersToFront();
}

void SkinWindow::OnKillFocus(wxFocusEvent&) {}

void SkinWindow::OnActivate(wxActivateEvent& event)
{
    // A frame without child windows gets no focus event on this desktop; activation stands in for it.
    if (event.GetActive())
        MoveMetersToFront();
    event.Skip();
}
