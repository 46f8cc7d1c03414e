#include "PAL/ParameterMailbox.h"

#include "PAL/ParameterSet.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <utility>

namespace {

using Entry = std::pair<ParameterSet*, int32_t>;

struct Mailbox {
    std::mutex lock;
    std::deque<Entry> entries;  // first-queued order, no duplicates
    std::deque<Entry> delivering;  // taken by the running Deliver; Forget reaches it too
};

Mailbox& TheMailbox()
{
    static Mailbox mailbox;
    return mailbox;
}

}  // namespace

void ParameterMailbox::Post(ParameterSet* set, int32_t index)
{
    Mailbox& box = TheMailbox();
    std::lock_guard<std::mutex> lock(box.lock);
    const Entry entry{set, index};
    if (std::find(box.entries.begin(), box.entries.end(), entry) == box.entries.end())
        box.entries.push_back(entry);
}

int ParameterMailbox::Deliver()
{
    Mailbox& box = TheMailbox();
    {
        // What is queued now is this call's; what observers queue meanwhile waits for the next call.
        std::lock_guard<std::mutex> lock(box.lock);
        for (const Entry& e : box.entries)
            box.delivering.push_back(e);
        box.entries.clear();
    }
    int delivered = 0;
    for (;;) {
        Entry entry;
        {
            std::lock_guard<std::mutex> lock(box.lock);
            if (box.delivering.empty())
                break;
            entry = box.delivering.front();
            box.delivering.pop_front();
        }
        entry.first->NotifyObservers(entry.second);
        ++delivered;
    }
    return delivered;
}

void ParameterMailbox::Forget(ParameterSet* set)
{
    Mailbox& box = TheMailbox();
    std::lock_guard<std::mutex> lock(box.lock);
    auto ofSet = [set](const Entry& e) { return e.first == set; };
    box.entries.erase(std::remove_if(box.entries.begin(), box.entries.end(), ofSet), box.entries.end());
    box.delivering.erase(std::remove_if(box.delivering.begin(), box.delivering.end(), ofSet),
                         box.delivering.end());
}

int ParameterMailbox::Waiting()
{
    Mailbox& box = TheMailbox();
    std::lock_guard<std::mutex> lock(box.lock);
    return int(box.entries.size());
}
