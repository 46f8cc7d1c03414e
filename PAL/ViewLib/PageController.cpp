#include "PAL/ViewLib/PageController.h"

#include "PAL/DrawContext.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"

PageController::PageController(ParameterSet* set, ControlPage* page) : m_set(set), m_page(page)
{
    if (m_set)
        m_set->AddObserver(this);
    ShowValues();
}

PageController::PageController(const ArchiveSource& source, const LayoutRecord* table, int32_t count,
                               const ParamDescriptor* descriptors, int32_t parameterCount)
    : m_owns(true)
{
    ResourceArchive& archive = ResourceArchive::Global();
    switch (source.kind) {
    case ArchiveSource::File:
        if (source.path)
            archive.Load(source.path);
        break;
    case ArchiveSource::Memory:
        if (source.image)
            archive.LoadFromMemory(source.image, source.length);
        break;
    case ArchiveSource::Shared:
        if (source.shared)
            archive.ShareFrom(*source.shared);
        break;
    default:
        break;
    }
    m_set = new ParameterSet(descriptors, parameterCount);
    m_set->AddObserver(this);
    m_page = new ControlPage(m_set, table, count);
    ShowValues();
}

PageController::~PageController()
{
    if (m_set)
        m_set->RemoveObserver(this);
    if (m_owns) {
        delete m_page;
        delete m_set;
    }
}

void PageController::ShowValues()
{
    if (!m_set || !m_page)
        return;
    for (int32_t i = 0; i < m_set->GetParameterCount(); ++i)
        m_page->OnParameterChanged(i);
}

void PageController::OnParameterChanged(int32_t index)
{
    ParameterChangedHook(index);
}

void PageController::SetListener(ParameterListener* listener)
{
    if (m_set)
        m_set->SetListener(listener);
}

ParameterListener* PageController::GetListener()
{
    return m_set ? m_set->GetListener() : nullptr;
}

void PageController::GetSize(int32_t& width, int32_t& height)
{
    width = height = 0;
    if (m_page)
        m_page->GetSize(width, height);
}

void PageController::Open(PlatformWindow* window, int32_t x, int32_t y)
{
    if (!m_page)
        return;
    m_page->AttachWindow(window);
    m_page->SetPosition(x, y);
}

void PageController::Close()
{
    if (m_page)
        m_page->DetachContext();
}

void PageController::Paint()
{
    if (m_page)
        m_page->Paint();
}

void PageController::OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed)
{
    if (m_page)
        m_page->OnMouseDown(x, y, modifiers, pressed);
}

void PageController::OnMouseOver(int32_t x, int32_t y)
{
    if (m_page)
        m_page->OnMouseOver(x, y);
}

void PageController::OnKey(int32_t key, int32_t second)
{
    if (m_page)
        m_page->OnKey(key, second);
}

void PageController::OnMouseMove()
{
    if (m_page)
        m_page->OnMouseMove();
}

void PageController::Invalidate()
{
    if (View* root = m_page ? m_page->GetRoot() : nullptr)
        root->Invalidate();
}

void PageController::Idle()
{
    // The page's broadcast is the meters' clock: it belongs to the window's 100 ms tick alone, so
    // bars fall at the same pace however often idle processing runs.
    Tick(m_page ? m_page->GetContext() : nullptr);
}

bool PageController::NeedsPaint()
{
    return m_page && m_page->NeedsPaint();
}

void PageController::GetZeroSize(int32_t& width, int32_t& height)
{
    width = height = 0;
}

float PageController::GetSampleRate()
{
    ParameterListener* listener = GetListener();
    return listener ? listener->GetSampleRate() : 44100.0f;
}

int32_t PageController::GetParameterCount()
{
    return m_set ? m_set->GetParameterCount() : 0;
}

Parameter* PageController::GetParameterObject(int32_t index)
{
    return m_set ? m_set->GetParameterObject(index) : nullptr;
}

void PageController::ProcessBlock(const float* const* inputs, int32_t inputStride, int32_t channels,
                                  int32_t frames, float* const* outputs, int32_t outputStride, int32_t prepareA,
                                  int32_t prepareB)
{
    Prepare(prepareA, prepareB);
    Process(inputs, inputStride, channels, frames, outputs, outputStride);
}

void PageController::Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                             float* const* outputs, int32_t outputStride)
{
    if (m_set)
        m_set->Process(inputs, inputStride, channels, frames, outputs, outputStride);
}

void PageController::Prepare(int32_t a, int32_t b)
{
    if (m_set)
        m_set->Prepare(a, b);
}

uint32_t PageController::GetManufacturerCode()
{
    return m_set ? m_set->GetManufacturerCode() : 0;
}

uint32_t PageController::GetTypeCode()
{
    return m_set ? m_set->GetTypeCode() : 0;
}

uint32_t PageController::GetVersion()
{
    return m_set ? m_set->GetVersion() : 0;
}

void PageController::SetParameter(int32_t index, float normalised)
{
    if (m_set)
        m_set->SetParameter(index, normalised);
}

float PageController::GetParameter(int32_t index)
{
    return m_set ? m_set->GetParameter(index) : 0.0f;
}

void PageController::SetParameterValue(int32_t index, float plain)
{
    if (m_set)
        m_set->SetParameterValue(index, plain);
}

float PageController::GetParameterValue(int32_t index)
{
    return m_set ? m_set->GetParameterValue(index) : 0.0f;
}

void PageController::SetControlValue(int32_t control, int32_t sub, float normalised)
{
    if (m_page)
        m_page->SetValue(control, sub, normalised);
}

void PageController::SetControlPlainValue(int32_t control, int32_t sub, float plain)
{
    if (m_page)
        m_page->SetPlainValue(control, sub, plain);
}

void PageController::SetControlValueText(int32_t control, int32_t sub, const char* text)
{
    if (m_page)
        m_page->SetValueText(control, sub, text);
}

float PageController::GetControlValue(int32_t control, int32_t sub)
{
    return m_page ? m_page->GetValue(control, sub) : 0.0f;
}

float PageController::GetControlPlainValue(int32_t control, int32_t sub)
{
    return m_page ? m_page->GetPlainValue(control, sub) : 0.0f;
}

void PageController::GetControlValueText(int32_t control, int32_t sub, char* buffer, int32_t length)
{
    if (m_page)
        m_page->GetValueText(control, sub, buffer, length);
}

Parameter* PageController::CreateParameter(const ParamDescriptor& descriptor)
{
    return new Parameter(descriptor);
}

void PageController::ParameterChangedHook(int32_t) {}

void PageController::NotifyAllParameters()
{
    if (!m_set)
        return;
    for (int32_t i = 0; i < m_set->GetParameterCount(); ++i)
        m_set->NotifyObservers(i);
}

void PageController::SetSampleRate(float) {}

void PageController::Tick(DrawContext*) {}

void PageController::RefreshParameter(int32_t index, bool notifyListener)
{
    if (!m_set)
        return;
    if (m_page)
        m_page->OnParameterChanged(index);
    if (notifyListener)
        if (ParameterListener* listener = m_set->GetListener())
            listener->ParameterChanged(index);
    m_set->NotifyObservers(index);
}
