#include "tools/viewer/LiveWindows.h"

#include <cstdio>

#include <wx/utils.h>

#include "CtrlPanel/CustomCueMixWindow.h"
#include "CtrlPanel/CustomMixWindow.h"
#include "CtrlPanel/PanelWindow.h"
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/ConnectionLostPage.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/HighRatePage.h"
#include "PAL/MainPage.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ShrinkPage.h"
#include "PAL/TinyPage.h"
#include "PAL/ViewLib/PageController.h"
#include "PAL/ViewLib/flPPM.h"
#include "platform/sim/SimBackends.h"
#include "resources/params/MainParamDescriptors.h"
#include "tools/viewer/EqPanelWindow.h"
#include "tools/viewer/MeterWindow.h"

namespace {

constexpr int kOpenAttempts = 30;
constexpr int kOpenPauseMs = 100;
constexpr long kPanelStyle = wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU;

// Prints every change of the main set that a custom-mix window forwards.
class ForwardPrinter : public ParameterObserver {
public:
    explicit ForwardPrinter(ParameterSet* set) : m_set(set) {}
    void OnParameterChanged(int32_t index) override
    {
        char name[64] = {};
        m_set->GetParameterName(index, name, sizeof name);
        printf("viewer: main parameter %d \"%s\" = %.3f\n", int(index), name, double(m_set->GetParameter(index)));
        fflush(stdout);
    }

private:
    ParameterSet* m_set;
};

// Prints the unit's rate after every open and rate change.
class RateReporter : public DeviceListener {
public:
    void OnDeviceEvent(int event) override
    {
        if (event == kDeviceEventOpened && VelbrinHAL::HasInstance())
            printf("viewer: the unit runs at %d Hz\n", VelbrinHAL::GetInstance()->GetSampleRate());
        fflush(stdout);
    }
};

bool Is(const LayoutTable& table, LayoutWindow window)
{
    return &table == &GetLayoutTable(window);
}

}  // namespace

LiveWindows::LiveWindows() = default;

LiveWindows::~LiveWindows()
{
    Release();
    if (m_halStarted && VelbrinHAL::HasInstance())
        VelbrinHAL::DestroyInstance();
    if (m_printer && m_main)
        m_main->RemoveObserver(m_printer.get());
    m_page.reset();
    m_mainController.reset();
    m_main.reset();
}

bool LiveWindows::StartDevice()
{
    if (m_halStarted)
        return VelbrinHAL::GetInstance()->IsOpen();
    if (!SimBackends::InstallScenario()) {
        fprintf(stderr, "viewer: unknown VELBRIN_SIM_SCENARIO\n");
        return false;
    }
    m_main = std::make_unique<MainParameterSet>(kMainParamDescriptors, kMainParamCount);
    m_mainController = std::make_unique<PageController>(m_main.get(), nullptr);
    m_rateReporter = std::make_unique<RateReporter>();
    VelbrinHAL::CreateInstance();
    m_halStarted = true;
    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    hal->SetMixParameters(m_main.get());
    hal->AddListener(m_rateReporter.get());
    // The unit's audio device shows up a moment after the unit.
    for (int attempt = 0; attempt < kOpenAttempts && !VelbrinHAL::IsFirmwareUpdatePending(); ++attempt) {
        if (hal->Open() == 0 && hal->IsOpen())
            return true;
        wxMilliSleep(kOpenPauseMs);
    }
    fprintf(stderr, "viewer: the simulated unit did not open; the window is not live\n");
    return false;
}

SkinWindow* LiveWindows::Open(const LayoutTable& table, const wxPoint& place)
{
    if (Is(table, LayoutWindow::ConnectionLost)) {
        m_empty = std::make_unique<ParameterSet>(nullptr, 0);
        m_page = std::make_unique<ConnectionLostPage>(m_empty.get());
        m_window = new SkinWindow(nullptr, wxID_ANY, "FireWire Connection Lost", kPanelStyle, nullptr, 0, place);
        m_window->SetView(m_page.get());
        return m_window;
    }
    if (Is(table, LayoutWindow::Eq)) {
        m_window = StartDevice() ? new EqPanelWindow(VelbrinHAL::GetInstance(), place) : nullptr;
        return m_window;
    }
    const bool mainPage = Is(table, LayoutWindow::Main) || Is(table, LayoutWindow::Shrink) ||
                          Is(table, LayoutWindow::Tiny) || Is(table, LayoutWindow::HighRate);
    const bool custom = Is(table, LayoutWindow::CustomInputMix) || Is(table, LayoutWindow::CustomCueMix);
    if (!mainPage && !custom && !Is(table, LayoutWindow::SampleRate))
        return nullptr;
    if (!StartDevice())
        return nullptr;
    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    if (mainPage) {
        std::unique_ptr<MeterPage> page;
        if (Is(table, LayoutWindow::Main))
            page = std::make_unique<MainPage>(m_main.get());
        else if (Is(table, LayoutWindow::Shrink))
            page = std::make_unique<ShrinkPage>(m_main.get());
        else if (Is(table, LayoutWindow::Tiny))
            page = std::make_unique<TinyPage>(m_main.get());
        else
            page = std::make_unique<HighRatePage>(m_main.get());
        m_meterPage = page.get();
        m_page = std::move(page);
        MeterList* meters = hal->GetMeterList();
        m_window = new MeterWindow(m_meterPage, meters, meters, " VelbrinControl", place);
    } else if (custom) {
        m_printer = std::make_unique<ForwardPrinter>(m_main.get());
        m_main->AddObserver(m_printer.get());
        if (Is(table, LayoutWindow::CustomInputMix))
            m_window = new CustomMixWindow(CustomMixPage::MainBase(0), m_mainController.get(), nullptr,
                                           CustomMixWindow::TitleFor(0), kPanelStyle);
        else
            m_window = new CustomCueMixWindow(CustomCueMixPage::MainBase(0), m_mainController.get(), nullptr,
                                              CustomCueMixWindow::TitleFor(0), kPanelStyle);
        m_window->Move(place);
    } else {
        m_window = new PanelWindow(&ResourceArchive::Global(), nullptr, PanelWindow::kTitle, kPanelStyle);
        m_window->Move(place);
    }
    return m_window;
}

bool LiveWindows::Settled() const
{
    if (!m_meterPage || dynamic_cast<TinyPage*>(m_meterPage) || dynamic_cast<HighRatePage*>(m_meterPage))
        return true;
    int32_t risen = 0;
    for (int32_t i = 0; i < m_meterPage->GetViewCount(); ++i)
        if (const auto* meter = dynamic_cast<const flPPM*>(m_meterPage->GetView(i)))
            risen += meter->GetLevel() > 0.2f ? 1 : 0;
    return risen >= 2;
}

void LiveWindows::Release()
{
    if (m_window && m_page)
        m_window->SetView(nullptr);
    m_window = nullptr;
}
