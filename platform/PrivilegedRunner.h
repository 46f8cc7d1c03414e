#pragma once
// Administrator rights, and the only commands that need them: unloading and loading kernel drivers
// (DriverCommand). Rights are asked for once and last until EndAuthorization, so one update asks
// the user once.
//
// The simulated backends install a recording stand-in beside the simulated bus: nothing on the
// simulated bus, and no test, may unload the machine's drivers.

#include "platform/helper/DriverCommand.h"

#include <string>

class PrivilegedRunner {
public:
    virtual ~PrivilegedRunner() = default;
    // Obtains the rights for the driver commands that follow; may ask the user. True at once while
    // they are held. False when refused or when they cannot be asked for (Error says why).
    virtual bool Authorize() = 0;
    // Runs the driver tool as administrator on one driver and waits for it, within a bound. The
    // tool's exit status; -1 without rights, for a name that is not a driver's, when it could not be
    // run, or when it did not end in time (it is then ended).
    virtual int RunDriverCommand(DriverAction action, const std::string& driver) = 0;
    // Gives the rights up; the next Authorize asks again.
    virtual void EndAuthorization() = 0;
    // Why the last Authorize or command failed, for the user.
    virtual std::string Error() const = 0;
};

// The installed runner; asserts when none is installed.
PrivilegedRunner& GetPrivilegedRunner();
// Installs a runner (nullptr leaves none). The caller keeps ownership; the runner must outlive every
// update it authorised (the process's engine reloads drivers at exit).
void SetPrivilegedRunner(PrivilegedRunner* runner);
