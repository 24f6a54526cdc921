#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tlx4r::hostapi {

// The token of one subscription to an Event. The subscription lasts exactly as long as the
// token: destroying it or calling Reset() unsubscribes. A subscriber keeps its tokens as
// members, so that it can never be called after it is gone, and an event source that is
// destroyed first leaves its tokens harmless. Movable, not copyable.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    // Ends the subscription; a no-op when it has ended already.
    void Reset() noexcept {
        if (auto cancel = std::exchange(cancel_, {})) cancel();
    }
    bool Active() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

// An event with callbacks, raised on the user-interface thread only (the component and its host
// share that one thread, so nothing here is locked).
//
// Raise() calls every handler that is subscribed when its turn comes: a handler may unsubscribe
// itself or others, destroy its own subscriber, or subscribe new handlers (those are first called
// by the next Raise()). A handler that throws stops the dispatch and the exception reaches the
// caller of Raise(), as the host's events always passed errors on.
template <class... Args>
class Event {
public:
    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    // Requires a non-empty handler. The returned token owns the subscription.
    [[nodiscard]] Subscription Subscribe(std::function<void(Args...)> handler) {
        if (!handler) throw std::invalid_argument("an event handler must not be empty");
        auto slot = std::make_shared<Slot>(Slot{state_->next_id++, std::move(handler)});
        state_->slots.push_back(slot);
        std::weak_ptr<State> weak = state_;
        std::uint64_t id = slot->id;
        return Subscription([weak, id] {
            if (auto state = weak.lock()) {
                std::erase_if(state->slots, [id](const auto& s) { return s->id == id; });
            }
        });
    }

    void Raise(Args... args) const {
        // Keep the state alive although a handler may destroy the event's owner.
        auto state = state_;
        auto slots = state->slots;
        for (const auto& slot : slots) {
            bool subscribed = std::any_of(state->slots.begin(), state->slots.end(),
                                          [&](const auto& s) { return s == slot; });
            if (subscribed) slot->handler(args...);
        }
    }

    std::size_t SubscriberCount() const { return state_->slots.size(); }

private:
    struct Slot {
        std::uint64_t id;
        std::function<void(Args...)> handler;
    };
    struct State {
        std::vector<std::shared_ptr<Slot>> slots;
        std::uint64_t next_id = 1;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace tlx4r::hostapi
