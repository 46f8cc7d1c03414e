#pragma once
// One copy of the program per user: a lock named after the program and the user, in the user's runtime
// folder ($XDG_RUNTIME_DIR) or else the home folder. The lock is held while the object lives.

#include <memory>
#include <string>

class wxSingleInstanceChecker;

class SingleInstance {
public:
    explicit SingleInstance(const std::string& program);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another process of this user holds the lock.
    bool IsAnotherRunning() const;

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
};
