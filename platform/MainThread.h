#pragma once
// Hand-over of platform notifications (unit arrival and loss, and the like) to the GUI thread.
//
// Platform code posts from any thread; the work runs when the GUI thread drains the queue. The skinned
// windows drain it at each tick; tests drain by hand.

#include <functional>

// Queues fn for the GUI thread. Thread-safe.
void PostToMainThread(std::function<void()> fn);

// Runs everything queued so far, in order, on the calling thread (the GUI thread). Returns the count.
int DrainMainThreadQueue();
