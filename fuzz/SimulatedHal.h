#pragma once
// The HAL of fuzz targets whose panels need one (for its meter list): built on the process's simulated
// bus and audio side, with the unit never opened.

#include "CtrlPanel/VelbrinHAL.h"
#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimFireWireBus.h"

inline bool CreateSimulatedHal()
{
    SimBackends::Install(&SimFireWireBus::Default(), nullptr, &SimAudioHardware::Default());
    return VelbrinHAL::CreateInstance();
}
