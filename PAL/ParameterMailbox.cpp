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
    size_t budget;
    {
        std::lock_guard<std::mutex> lock(box.lock);
        budget = box.entries.size();
    }
    int delivered = 0;
    for (; budget > 0; --budget) {
        Entry entry;
        {
            std::lock_guard<std::mutex> lock(box.lock);
            if (box.entries.empty())
                break;
            entry = box.entries.front();
            box.entries.pop_front();
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
    box.entries.erase(std::remove_if(box.entries.begin(), box.entries.end(),
                                     [set](const Entry& e) { return e.first == set; }),
                      box.entries.end());
}

int ParameterMailbox::Waiting()
{
    Mailbox& box = TheMailbox();
    std::lock_guard<std::mutex> lock(box.lock);
    return int(box.entries.size());
}
