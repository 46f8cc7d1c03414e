#pragma once
// One copy of the program per user: an advisory lock (flock) on "<program>-<user>.lock" in the user's
// runtime folder (UserRuntimeFolder). The lock is held while the object lives and goes with its process
// however that ends, so a file left behind never refuses a start. The file is opened close-on-exec:
// programs started from here do not hold the lock. A lock that cannot be made refuses nothing.

#include <string>

class SingleInstance {
public:
    explicit SingleInstance(const std::string& program);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another process of this user holds the lock.
    bool IsAnotherRunning() const { return m_anotherRunning; }

private:
    int m_fd = -1;  // open while this process holds the lock
    bool m_anotherRunning = false;
};
