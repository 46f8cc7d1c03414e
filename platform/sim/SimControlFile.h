#pragma once
// Drives the simulated unit from outside while the program runs, for end-to-end tests: the lines of
// a control file are commands, carried out as they are appended (the file is checked every
// kPollMs):
//   unplug    the unit leaves the bus
//   plug      the unit comes (back) onto the bus with a new node id
//   state     only writes the state file
// Unknown lines are reported on stderr and skipped; they count as carried out. After every line, and once more when the watcher stops (at
// the program's exit), the state file "<control file>.state" is written anew, through a temporary
// file and a rename, so a reader never sees half of it:
//   commands <lines carried out so far>
//   plugged <0 or 1>
//   flash-stores <stores to flash since start>
//   bus-cpu-ns <CPU time the program's threads spent inside the simulated bus and unit, in ns>
//   item <number> <value as 0x%08x>      one line for every item of the unit's store, in item order

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

class SimFireWireBus;
class SimVelbrin;

class SimControlFile {
public:
    static constexpr uint32_t kPollMs = 50;

    // Starts watching controlPath (it need not exist yet). Bus and unit outlive the watcher.
    SimControlFile(std::string controlPath, SimFireWireBus& bus, SimVelbrin& unit);
    // Stops watching, carries out what was appended meanwhile, and writes the state file.
    ~SimControlFile();
    SimControlFile(const SimControlFile&) = delete;
    SimControlFile& operator=(const SimControlFile&) = delete;

    std::string StatePath() const { return m_controlPath + ".state"; }

private:
    void Run();
    // Carries out the lines appended since the last look; true when there were any.
    bool ReadNewLines();
    void Execute(const std::string& line);
    void WriteState();

    const std::string m_controlPath;
    SimFireWireBus& m_bus;
    SimVelbrin& m_unit;
    size_t m_offset = 0;     // bytes of the file already carried out
    std::string m_partial;   // a last line still without its newline
    int m_commands = 0;

    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
