#pragma once
// Administrator rights and the kernel drivers the updater takes off the unit. The rights come from
// the privileged runner in use when they are asked for, and every driver command until
// EndAuthorization goes to that runner. It remembers every driver it unloaded and loads exactly
// those again. Failures are told to the report function. Waits go through the clock. Used by one
// thread at a time.

#include "platform/PrivilegedRunner.h"

#include <functional>
#include <string>
#include <vector>

class DriverManager {
public:
    void SetReport(std::function<void(const std::string&)> report) { m_report = std::move(report); }

    bool IsAuthorized() const { return m_runner != nullptr; }
    // Asks the runner in use for administrator rights (the user may be asked). False when refused.
    bool Authorize();
    // Gives the rights up; the next Authorize asks again.
    void EndAuthorization();
    // True while no driver unloaded by this manager is still unloaded.
    bool DriversLoaded() const { return m_unloaded.empty(); }

    // Unloads the drivers in order, waiting 2 s after the first and 1 s after each further one.
    // Without rights nothing is run. At the first that fails it stops and returns false; those
    // already unloaded stay on the list for Reload.
    bool Unload(const std::vector<std::string>& drivers);
    // Loads what this manager unloaded, the last unloaded first: 1 s before the first, 2 s
    // between them. False without rights, or when one failed; a failed driver stays on the list
    // for the next try.
    bool Reload();

private:
    void Report(const std::string& line);

    PrivilegedRunner* m_runner = nullptr;  // the runner that granted the rights, while they last
    std::vector<std::string> m_unloaded;   // in the order they were unloaded
    std::function<void(const std::string&)> m_report;
};
