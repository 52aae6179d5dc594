// A queue between two threads: one puts, the other waits for what comes.
// Owns the items not yet taken.
#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>

template <class Item>
struct mailbox {
    std::mutex lock;
    std::condition_variable arrived;
    std::deque<Item> items;

    // Notifies while it holds the lock: a taker that has its last item may
    // destroy the mailbox as soon as it can take the lock.
    void put(Item item) {
        std::lock_guard<std::mutex> hold(lock);
        items.push_back(std::move(item));
        arrived.notify_one();
    }

    Item take() {
        std::unique_lock<std::mutex> hold(lock);
        arrived.wait(hold, [&] { return !items.empty(); });
        Item item = std::move(items.front());
        items.pop_front();
        return item;
    }
};
