#include "platform/sim/SimControlFile.h"

#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimVelbrin.h"

#include <chrono>
#include <cstdio>
#include <pthread.h>
#include <unistd.h>

SimControlFile::SimControlFile(std::string controlPath, SimFireWireBus& bus, SimVelbrin& unit)
    : m_controlPath(std::move(controlPath)), m_bus(bus), m_unit(unit)
{
    m_thread = std::thread([this] {
        pthread_setname_np(pthread_self(), "sim-control");
        Run();
    });
}

SimControlFile::~SimControlFile()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    ReadNewLines();
    WriteState();
}

void SimControlFile::Run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop) {
        lock.unlock();
        ReadNewLines();
        lock.lock();
        m_wake.wait_for(lock, std::chrono::milliseconds(kPollMs), [this] { return m_stop; });
    }
}

bool SimControlFile::ReadNewLines()
{
    FILE* f = fopen(m_controlPath.c_str(), "rb");
    if (!f)
        return false;
    std::string data;
    if (fseek(f, 0, SEEK_END) == 0) {
        long size = ftell(f);
        if (size >= 0 && size_t(size) < m_offset) {
            // Written anew from the start.
            m_offset = 0;
            m_partial.clear();
        }
        if (size >= 0 && size_t(size) > m_offset && fseek(f, long(m_offset), SEEK_SET) == 0) {
            data.resize(size_t(size) - m_offset);
            data.resize(fread(&data[0], 1, data.size(), f));
        }
    }
    fclose(f);
    m_offset += data.size();
    bool any = false;
    for (char c : data) {
        if (c != '\n') {
            m_partial += c;
            continue;
        }
        Execute(m_partial);
        m_partial.clear();
        any = true;
    }
    if (any)
        WriteState();
    return any;
}

void SimControlFile::Execute(const std::string& line)
{
    ++m_commands;
    if (line == "unplug")
        m_bus.Unplug(&m_unit);
    else if (line == "plug")
        m_bus.Plug(&m_unit);
    else if (line != "state")
        fprintf(stderr, "simulated unit: unknown control line \"%s\"\n", line.c_str());
}

void SimControlFile::WriteState()
{
    const std::string path = StatePath();
    const std::string temporary = path + ".tmp";
    FILE* f = fopen(temporary.c_str(), "wb");
    if (!f)
        return;
    fprintf(f, "commands %d\nplugged %d\nflash-stores %d\nbus-cpu-ns %llu\n", m_commands,
            m_bus.IsPlugged(&m_unit) ? 1 : 0, m_unit.FlashStores(), (unsigned long long)m_bus.ServedCpuNs());
    for (const auto& item : m_unit.Items())
        fprintf(f, "item %u 0x%08x\n", unsigned(item.first), unsigned(item.second));
    const bool ok = fflush(f) == 0 && !ferror(f);
    fclose(f);
    if (!ok || rename(temporary.c_str(), path.c_str()) != 0)
        unlink(temporary.c_str());
}
