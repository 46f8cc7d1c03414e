#include "CtrlPanel/firmware/DeviceMatcher.h"

#include "CtrlPanel/device/FireWireSession.h"

std::vector<FwDeviceInfo> DeviceMatcher::Find()
{
    std::vector<FwDeviceInfo> found;
    for (FwDeviceInfo& unit : GetFireWireRawBus().MatchDevices(kVendorId, kProductId))
        if (unit.hasGuid && FireWireSession::IsAcceptedGuid(unit.guid))
            found.push_back(std::move(unit));
    return found;
}
