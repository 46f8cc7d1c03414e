#include "CtrlPanel/AppCore.h"

#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "PAL/ConnectionLostPage.h"
#include "PAL/HighRatePage.h"
#include "PAL/MainPage.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ShrinkPage.h"
#include "PAL/TinyPage.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/DebugLog.h"
#include "resources/params/MainParamDescriptors.h"

namespace {

struct WriterShape {
    uint32_t baseItem;
    uint32_t count;
};

// Item base and entry count of each writer, in AppCore::Writer order.
constexpr WriterShape kWriterShapes[AppCore::kWriterCount] = {
    {kEq1BaseItem, kEqBlockCount},
    {kEq2BaseItem, kEqBlockCount},
    {kReverb1BaseItem, kReverbBlockCount},
    {kReverbSharedBaseItem, kReverbSharedCount},
    {kReverb2BaseItem, kReverbBlockCount},
    {kCompressor1BaseItem, kCompressorBlockCount},
    {kCompressor2BaseItem, kCompressorBlockCount},
    {kAmpSim1BaseItem, kAmpSimBlockCount},
    {kAmpSim2BaseItem, kAmpSimBlockCount},
    {kFxOrderBaseItem, kFxOrderCount},
};

VelbrinHAL* Hal()
{
    return VelbrinHAL::HasInstance() ? VelbrinHAL::GetInstance() : nullptr;
}

// Counts a running idle call for as long as it lives.
class DepthScope {
public:
    explicit DepthScope(int32_t& depth) : m_depth(depth) { ++m_depth; }
    ~DepthScope() { --m_depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int32_t& m_depth;
};

}  // namespace

AppCore::AppCore(Host& host) : m_host(host) {}

AppCore::~AppCore()
{
    TearDown();
}

void AppCore::Build()
{
    if (m_built)
        return;
    m_built = true;
    m_mainSet = std::make_unique<MainParameterSet>(kMainParamDescriptors, kMainParamCount);
    VelbrinHAL::CreateInstance();
    VelbrinHAL::GetInstance()->SetMixParameters(m_mainSet.get());
    m_mainPage = std::make_unique<MainPage>(m_mainSet.get());
    m_shrinkPage = std::make_unique<ShrinkPage>(m_mainSet.get());
    m_tinyPage = std::make_unique<TinyPage>(m_mainSet.get());
    m_highRatePage = std::make_unique<HighRatePage>(m_mainSet.get());
    m_mainController = std::make_unique<PageController>(m_mainSet.get(), m_mainPage.get());
    m_mainController->SetListener(this);
    m_mainSet->AddObserver(this);

    for (int32_t w = 0; w < kWriterCount; ++w)
        m_writers[w] = std::make_unique<ParamWriter>(kWriterShapes[w].baseItem, kWriterShapes[w].count);

    auto at = [this](Writer w) { return m_writers[w].get(); };
    m_effects.emplace_back(ReverbPanel::Create(at(kReverb1Writer), at(kReverbSharedWriter), true));
    m_effects.emplace_back(EqPanel::Create(at(kEq1Writer), true));
    m_effects.emplace_back(EqPanel::Create(at(kEq2Writer), false));
    m_effects.emplace_back(CompressorPanel::Create(at(kCompressor1Writer), true));
    m_effects.emplace_back(CompressorPanel::Create(at(kCompressor2Writer), false));
    m_effects.emplace_back(AmpSimPanel::Create(at(kAmpSim1Writer), true));
    m_effects.emplace_back(AmpSimPanel::Create(at(kAmpSim2Writer), false));
    m_effects.emplace_back(ReverbPanel::Create(at(kReverb2Writer), at(kReverbSharedWriter), false));

    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    for (Writer w : kSourceOrder)
        hal->AddSource(at(w));
    for (auto& effect : m_effects)
        effect->SetListener(this);
}

void AppCore::BuildConnectionLostPage()
{
    if (m_mainSet && !m_connectionLost)
        m_connectionLost = std::make_unique<ConnectionLostPage>(m_mainSet.get());
}

void AppCore::ListenToDevice()
{
    if (VelbrinHAL* hal = Hal())
        hal->AddListener(this);
}

void AppCore::TearDown()
{
    if (!m_built)
        return;
    m_built = false;
    m_exiting = true;
    VelbrinHAL* hal = Hal();
    if (hal)
        hal->Close();
    m_mainPage.reset();
    m_shrinkPage.reset();
    m_tinyPage.reset();
    m_highRatePage.reset();
    m_connectionLost.reset();
    for (auto& effect : m_effects)
        effect.reset();
    m_effects.clear();
    if (hal)
        for (Writer w : kSourceOrder)
            hal->RemoveSource(m_writers[w].get());
    for (Writer w : kDeletionOrder)
        m_writers[w].reset();
    if (hal)
        VelbrinHAL::DestroyInstance();
    if (m_mainSet)
        m_mainSet->RemoveObserver(this);
    m_mainController.reset();
    m_mainSet.reset();
}

MainPages AppCore::GetPages() const
{
    MainPages pages;
    pages.main = m_mainPage.get();
    pages.shrink = m_shrinkPage.get();
    pages.tiny = m_tinyPage.get();
    pages.highRate = m_highRatePage.get();
    return pages;
}

PageController* AppCore::GetEffect(int32_t block) const
{
    return block >= 0 && block < int32_t(m_effects.size()) ? m_effects[size_t(block)].get() : nullptr;
}

std::vector<PageController*> AppCore::GetEffects() const
{
    std::vector<PageController*> effects;
    for (const auto& effect : m_effects)
        effects.push_back(effect.get());
    return effects;
}

ParamWriter* AppCore::GetWriter(int32_t writer) const
{
    return writer >= 0 && writer < kWriterCount ? m_writers[writer].get() : nullptr;
}

void AppCore::ProcessIdle()
{
    if (m_exiting || !m_built)
        return;
    ++m_idleCount;
    // A box or dialog shown from inside an idle call runs idle calls of its own: those leave the
    // unit and the pages alone.
    const bool nested = m_idleDepth > 0 || m_host.IsModalRunning();
    DepthScope depth(m_idleDepth);
    VelbrinHAL* hal = Hal();
    if (!nested && hal) {
        const float rate = float(hal->GetSampleRate());
        if (rate != 0.0f && rate != m_sampleRate)
            SetSampleRate(rate);
    }
    for (auto& effect : m_effects)
        effect->Idle();
    if (nested)
        return;
    int event = 0;
    while (!m_exiting && m_ring.Pop(event))
        HandleDeviceEvent(event);
    if (!m_exiting && hal && m_idleCount % kConnectionCheckEvery == 0)
        m_host.ShowConnectionLost(!hal->EnsureOpen());
}

void AppCore::SetSampleRate(float rate)
{
    m_sampleRate = rate;
    // A reopened unit gets the effect order again with the rate.
    if (ParamWriter* fxOrder = m_writers[kFxOrderWriter].get())
        fxOrder->MarkHeldPending();
    for (auto& effect : m_effects)
        effect->SetSampleRate(rate);
    m_host.SetFramesSampleRate(rate);
}

void AppCore::HandleDeviceEvent(int event)
{
    if (event == kDeviceEventOpened) {
        VelbrinHAL* hal = Hal();
        SetSampleRate(hal ? float(hal->GetSampleRate()) : 0.0f);
    } else if (event == kDeviceEventFirmwareUpdate) {
        m_host.HandOffToUpdater();
    }
}

void AppCore::OnDeviceEvent(int event)
{
    if (!m_ring.Push(event))
        DebugLog("VelbrinControlApp: device event %d dropped, %u pending\n", event, m_ring.Pending());
}

void AppCore::ParameterChanged(int32_t index)
{
    if (index == kSaveParameter || index == kLoadParameter) {
        m_host.RunMixDialog(index == kSaveParameter);
    } else if (index == kDimParameter || index == kMuteParameter) {
        VelbrinHAL* hal = Hal();
        if (hal && hal->GetMixEngine())
            hal->GetMixEngine()->SetWriteBackEnable(false);
    }
}

void AppCore::OnParameterChanged(int32_t index)
{
    if (!m_mainSet)
        return;
    if (index == MainFrameLogic::kStereoInput) {
        StereoInputChanged();
    } else if (index == kSpdifParameter) {
        VelbrinHAL* hal = Hal();
        if (hal && hal->GetMixEngine())
            hal->GetMixEngine()->SetSpdifInput(m_mainSet->GetParameterValue(index) > 0.0f);
    }
}

void AppCore::StereoInputChanged()
{
    VelbrinHAL* hal = Hal();
    if (!hal)
        return;
    const bool stereo = m_mainSet->GetParameterValue(MainFrameLogic::kStereoInput) > 0.0f;
    const float rate = float(hal->GetSampleRate());
    if (rate < MainFrameLogic::kHighRate)
        hal->SetStereo(stereo);
    // In stereo the second reverb sends nothing.
    if (ParamWriter* reverb2 = m_writers[kReverb2Writer].get())
        reverb2->SetEnabled(!stereo);
    if (m_effects.size() != size_t(kEffectCount))
        return;
    for (Block block : {kReverb1Block, kReverb2Block, kEq1Block})
        m_effects[block]->SetSampleRate(rate);
    if (!stereo)
        for (Block block : {kEq2Block, kAmpSim2Block})
            m_effects[block]->SetSampleRate(rate);
}
