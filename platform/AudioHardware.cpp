#include "platform/AudioHardware.h"

#include "platform/sim/SimAudioHardware.h"

#include <atomic>

namespace {
std::atomic<AudioHardware*> g_hardware{nullptr};
}

AudioHardware& GetAudioHardware()
{
    AudioHardware* hardware = g_hardware.load();
    return hardware ? *hardware : SimAudioHardware::Default();
}

void SetAudioHardware(AudioHardware* hardware) { g_hardware.store(hardware); }
