#include "platform/AudioHardware.h"

#include "platform/Assert.h"

#include <atomic>

namespace {
std::atomic<AudioHardware*> g_hardware{nullptr};
}

AudioHardware& GetAudioHardware()
{
    AudioHardware* hardware = g_hardware.load();
    VELBRIN_ASSERT(hardware != nullptr);
    return *hardware;
}

void SetAudioHardware(AudioHardware* hardware) { g_hardware.store(hardware); }
