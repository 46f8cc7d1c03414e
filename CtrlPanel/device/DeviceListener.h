#pragma once
// Told by the HAL of device events, on the thread that opened the device or changed the rate.

constexpr int kDeviceEventOpened = 0;          // device opened, or sample rate changed
constexpr int kDeviceEventFirmwareUpdate = 1;  // firmware update needed: the device stays closed

class DeviceListener {
public:
    virtual ~DeviceListener() = default;
    virtual void OnDeviceEvent(int event) = 0;
};
