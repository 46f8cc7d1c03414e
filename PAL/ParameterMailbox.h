#pragma once
// The locked mailbox that carries parameter changes stored by worker threads to the GUI thread.
// An entry is (set, index); an entry already waiting is not queued twice. Entries are delivered in
// the order they were first queued, by notifying the set's observers on the delivering thread.

#include <cstdint>

class ParameterSet;

class ParameterMailbox {
public:
    // Any thread.
    static void Post(ParameterSet* set, int32_t index);
    // GUI thread: delivers the entries waiting when the call starts; returns how many were
    // delivered. An entry is taken out before its notification runs, so a set destroyed by an
    // observer loses only its own remaining entries (Forget).
    static int Deliver();
    // Drops every waiting entry of the set (its destructor calls this).
    static void Forget(ParameterSet* set);
    static int Waiting();
};
