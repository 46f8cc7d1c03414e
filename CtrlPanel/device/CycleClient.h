#pragma once
// The work the polling thread hands to the mix engine at the start of every cycle, on that thread.

class CycleClient {
public:
    virtual void Refresh() = 0;

protected:
    ~CycleClient() = default;
};
