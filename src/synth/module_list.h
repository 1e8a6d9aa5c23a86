// A list of modules of one type that the audio thread walks while the main
// thread may add and remove modules: every change publishes a new copy of
// the list, which the walk takes once at the start of each call, and a copy
// replaced (or a module removed) while the patch plays is kept until
// free_retired(), which its owner calls once no callback can hold it.
//
// The main thread reads and changes the list as a vector; the audio thread
// reads only walked().
#pragma once

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "synth/ports.h"

template <class T> class MODULE_LIST {
public:
    using ITEMS = std::vector<T *>;
    using MODULE_TYPE = T;

    // `playing` says whether a callback may walk the list now: when not, a
    // replaced copy is freed at once.
    explicit MODULE_LIST(const std::atomic<bool> &playing) : playing(playing), published(new ITEMS)
    {
    }
    ~MODULE_LIST()
    {
        free_retired();
        delete published.load();
    }
    MODULE_LIST(const MODULE_LIST &) = delete;
    MODULE_LIST &operator=(const MODULE_LIST &) = delete;

    // ---- Main thread: the list as it is now ----
    const ITEMS &items() const { return list; }
    operator const ITEMS &() const { return list; }
    typename ITEMS::const_iterator begin() const { return list.begin(); }
    typename ITEMS::const_iterator end() const { return list.end(); }
    size_t size() const { return list.size(); }
    bool empty() const { return list.empty(); }
    T *operator[](size_t i) const { return list[i]; }
    T *at(size_t i) const { return list.at(i); }
    T *front() const { return list.front(); }
    T *back() const { return list.back(); }

    // ---- Main thread: changes, each published ----
    void push_back(T *m)
    {
        change([m](ITEMS &l) { l.push_back(m); });
    }
    void insert(typename ITEMS::const_iterator at, T *m)
    {
        const auto i = at - list.begin();
        change([i, m](ITEMS &l) { l.insert(l.begin() + i, m); });
    }
    // Takes m out of the list and keeps it, whole, until free_retired().
    void remove(T *m)
    {
        change([m](ITEMS &l) { l.erase(std::find(l.begin(), l.end(), m)); });
        retired_modules.push_back(m);
    }
    // Deletes every module and empties the list. Only while no callback can
    // walk it.
    void release()
    {
        for (T *m : list)
            delete m;
        change([](ITEMS &l) { l.clear(); });
    }
    // The modules removed and not yet freed.
    const std::vector<T *> &retired() const { return retired_modules; }
    // Frees the copies replaced and the modules removed since the last call.
    // Only while no callback holds them (none runs, or none has run since).
    void free_retired()
    {
        retired_copies.clear();
        for (T *m : retired_modules)
            delete m;
        retired_modules.clear();
    }

    // ---- Audio thread ----
    // The list as last published: take it once per call and walk that.
    const ITEMS &walked() const { return *published.load(std::memory_order_seq_cst); }

private:
    const std::atomic<bool> &playing;
    ITEMS list;
    // The copy the walk takes. Stored and loaded sequentially consistent, so
    // that a callback counted as outside the evaluation after a change was
    // published can only take the new copy (see free_retired).
    std::atomic<ITEMS *> published;
    std::vector<std::unique_ptr<ITEMS>> retired_copies;
    std::vector<T *> retired_modules;

    template <class CHANGE> void change(CHANGE apply)
    {
        apply(list);
        // Counted before the list is published, as a connection is.
        wiring_changes.fetch_add(1, std::memory_order_relaxed);
        ITEMS *old = published.exchange(new ITEMS(list), std::memory_order_seq_cst);
        if (playing.load())
            retired_copies.emplace_back(old);
        else
            delete old;
    }
};
