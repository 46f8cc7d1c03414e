#pragma once
// Administrator rights and the kernel drivers the updater takes off the unit. It remembers every
// driver it unloaded and loads exactly those again, also when a later unload failed. Commands go
// through the privileged runner in use; waits through the clock. Used by one thread at a time.

#include <string>
#include <vector>

class DriverManager {
public:
    bool IsAuthorized() const { return m_authorized; }
    // Asks the runner for administrator rights (the user may be asked). False when refused.
    bool Authorize();
    // True while no driver unloaded by this manager is still unloaded.
    bool DriversLoaded() const { return m_unloaded.empty(); }
    std::vector<std::string> Unloaded() const { return m_unloaded; }

    // Unloads the drivers in order, waiting 2 s after the first and 1 s after each further one.
    // Without rights nothing is run. When one fails, those already unloaded are loaded again and
    // the result is false.
    bool Unload(const std::vector<std::string>& drivers);
    // Loads what this manager unloaded, the last unloaded first: 1 s before the first, 2 s
    // between them. False without rights, or when one failed; a failed driver stays on the list
    // for the next try.
    bool Reload();

private:
    bool m_authorized = false;
    std::vector<std::string> m_unloaded;  // in the order they were unloaded
};
