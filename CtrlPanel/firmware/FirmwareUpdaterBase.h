#pragma once
// The base of the firmware-update engine, through which a host holds it.

class FirmwareUpdaterBase {
public:
    virtual ~FirmwareUpdaterBase() = default;
};
