#pragma once
// A privileged runner that runs nothing: it records every command, answers with scripted statuses,
// and follows which kernel drivers the driver tool would have unloaded.

#include "platform/PrivilegedRunner.h"

#include <map>
#include <mutex>
#include <set>

class SimPrivilegedRunner : public PrivilegedRunner {
public:
    // The runner in use when nothing else was installed.
    static SimPrivilegedRunner& Default();

    bool Authorize() override;
    int Run(const std::vector<std::string>& argv) override;

    // --- scripting ---
    void RefuseAuthorization(bool refuse);
    // The next count runs of exactly this command return status (and change nothing).
    void FailCommand(const std::vector<std::string>& argv, int status, int count = 1);

    // --- inspection ---
    std::vector<std::vector<std::string>> Commands() const;
    // Drivers unloaded by the driver tool and not loaded again, sorted.
    std::vector<std::string> UnloadedDrivers() const;
    int Authorizations() const;
    // Forgets the record and the scripting; which drivers are unloaded stays.
    void Clear();

private:
    struct Failure {
        int status;
        int count;
    };
    mutable std::mutex m_lock;
    bool m_refuse = false;
    int m_authorizations = 0;
    std::vector<std::vector<std::string>> m_commands;
    std::map<std::vector<std::string>, Failure> m_failures;
    std::set<std::string> m_unloaded;
};
