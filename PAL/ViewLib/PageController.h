#pragma once
// One parameter set with the control page that shows it, behind a plug-in-shaped interface: editor
// calls (open on a window, close, paint, mouse, key, idle), parameter access, processing entry points,
// identification codes and the hooks a panel overrides. The controller observes its own set, so every
// change of a parameter, whatever its source (a control, a mix file, a paste, the device read-back),
// reaches ParameterChangedHook. GUI thread only.

#include <cstddef>
#include <cstdint>

#include "PAL/LayoutRecord.h"
#include "PAL/ParamDescriptor.h"
#include "PAL/ParameterObserver.h"

class ControlPage;
class DrawContext;
class Parameter;
class ParameterListener;
class ParameterSet;
class PlatformWindow;
class ResourceArchive;

// Where the owning constructor loads the global resource archive from before anything else.
struct ArchiveSource {
    enum Kind : int32_t { File = 0, Memory = 1, Shared = 2, None = -1 };
    int32_t kind = None;
    const char* path = nullptr;               // File
    const uint8_t* image = nullptr;           // Memory
    size_t length = 0;                        // Memory
    const ResourceArchive* shared = nullptr;  // Shared
};

class PageController : public ParameterObserver {
public:
    // Links an existing set and page without owning them and shows the current values.
    PageController(ParameterSet* set, ControlPage* page);
    // Loads the archive as source says, then builds and owns the set and its page.
    PageController(const ArchiveSource& source, const LayoutRecord* table, int32_t count,
                   const ParamDescriptor* descriptors, int32_t parameterCount);
    PageController(const PageController&) = delete;
    PageController& operator=(const PageController&) = delete;
    // A linking controller leaves its set's observers; an owning one deletes its page, then its set.
    ~PageController() override;

    void OnParameterChanged(int32_t index) override;
    virtual void SetListener(ParameterListener* listener);
    virtual ParameterListener* GetListener();
    virtual void GetSize(int32_t& width, int32_t& height);
    // The page draws in window (a context of its own), its top left at (x, y).
    virtual void Open(PlatformWindow* window, int32_t x, int32_t y);
    virtual void Close();
    virtual void Paint();
    virtual void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed);
    virtual void OnMouseOver(int32_t x, int32_t y);
    virtual void OnKey(int32_t key, int32_t second);
    virtual void OnMouseMove();
    virtual void Invalidate();
    // The panel's per-idle work (Tick). The page's broadcast (meter fall-back, clip hold) is left to
    // the window's 100 ms tick.
    virtual void Idle();
    virtual bool NeedsPaint();
    virtual int32_t QueryZeroA() { return 0; }
    virtual int32_t QueryZeroB() { return 0; }
    virtual int32_t QueryZeroC() { return 0; }
    virtual void GetZeroSize(int32_t& width, int32_t& height);
    // The listener's rate, 44100 without one.
    virtual float GetSampleRate();
    virtual int32_t GetParameterCount();
    virtual Parameter* GetParameterObject(int32_t index);
    virtual int32_t QueryZeroD() { return 0; }
    virtual void ProcessBlock(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                              float* const* outputs, int32_t outputStride, int32_t prepareA, int32_t prepareB);
    virtual void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                         float* const* outputs, int32_t outputStride);
    virtual void Prepare(int32_t a, int32_t b);
    virtual uint32_t GetManufacturerCode();
    virtual uint32_t GetTypeCode();
    virtual uint32_t GetVersion();
    virtual void SetParameter(int32_t index, float normalised);
    virtual float GetParameter(int32_t index);
    virtual void SetParameterValue(int32_t index, float plain);
    virtual float GetParameterValue(int32_t index);
    virtual void SetControlValue(int32_t control, int32_t sub, float normalised);
    virtual void SetControlPlainValue(int32_t control, int32_t sub, float plain);
    virtual void SetControlValueText(int32_t control, int32_t sub, const char* text);
    virtual float GetControlValue(int32_t control, int32_t sub);
    virtual float GetControlPlainValue(int32_t control, int32_t sub);
    virtual void GetControlValueText(int32_t control, int32_t sub, char* buffer, int32_t length);
    // A new parameter built from descriptor; the caller owns it.
    virtual Parameter* CreateParameter(const ParamDescriptor& descriptor);
    // A panel's reaction to a change of one of its parameters; the base does nothing.
    virtual void ParameterChangedHook(int32_t index);
    virtual void NotifyAllParameters();
    virtual void SetSampleRate(float rate);
    // Per-idle work of a panel (glides, meters); the base does nothing.
    virtual void Tick(DrawContext* context);

    // After a panel changed a parameter itself: the page's controls, the listener when asked, then
    // the set's observers.
    void RefreshParameter(int32_t index, bool notifyListener);

    ParameterSet* GetSet() const { return m_set; }
    ControlPage* GetPage() const { return m_page; }

private:
    // Runs every bound control's refresh so the page shows the set's values.
    void ShowValues();

    ParameterSet* m_set = nullptr;
    ControlPage* m_page = nullptr;
    bool m_owns = false;
};
