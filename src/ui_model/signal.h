#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quorell {

namespace signal_detail {

// What a subscription needs of the signal it belongs to.
class ObserverList {
public:
    virtual ~ObserverList() = default;
    virtual void Remove(std::uint64_t id) = 0;
};

}  // namespace signal_detail

// One observer's place in a signal. Destroying it (or Reset) unsubscribes, so an object that holds its
// subscriptions as members is never called after it is gone. Outliving the signal is harmless.
class [[nodiscard]] Subscription {
public:
    Subscription() = default;
    Subscription(std::weak_ptr<signal_detail::ObserverList> list, std::uint64_t id) : list_(std::move(list)), id_(id) {}
    Subscription(Subscription&& other) noexcept : list_(std::move(other.list_)), id_(std::exchange(other.id_, 0)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            list_ = std::move(other.list_);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    void Reset() {
        if (const auto list = list_.lock()) {
            list->Remove(id_);
        }
        list_.reset();
        id_ = 0;
    }

private:
    std::weak_ptr<signal_detail::ObserverList> list_;
    std::uint64_t id_ = 0;
};

// The one way the model tells its observers what changed: every notification carries the change itself
// (the new text, the changed area and its move, ...), so an observer never reads it back.
// Emit calls every observer subscribed when the emission starts, in the order of subscription; an
// observer unsubscribed during the emission is no longer called. An emission allocates and copies nothing.
template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() = default;
    // Observers belong to the object they subscribed to: a copy of it starts with none, and an object
    // given another's state keeps its own.
    Signal(const Signal&) {}
    Signal& operator=(const Signal&) { return *this; }

    Subscription Subscribe(Slot slot) {
        if (!list_) {
            list_ = std::make_shared<List>();  // only signals that someone observes hold a list
        }
        return Subscription(list_, list_->Add(std::move(slot)));
    }

    void Emit(Args... args) const {
        if (list_) {
            list_->Emit(args...);
        }
    }

private:
    class List final : public signal_detail::ObserverList {
    public:
        std::uint64_t Add(Slot slot) {
            entries_.push_back(std::make_unique<Entry>(Entry{++lastId_, std::move(slot)}));
            return lastId_;
        }

        void Remove(std::uint64_t id) override {
            const auto found = std::find_if(entries_.begin(), entries_.end(),
                                            [id](const std::unique_ptr<Entry>& entry) { return entry->id == id; });
            if (found == entries_.end()) {
                return;
            }
            if (emitting_ > 0) {
                (*found)->id = 0;  // dropped once the emission ends: the observer may be running right now
                removedWhileEmitting_ = true;
            } else {
                entries_.erase(found);
            }
        }

        void Emit(Args... args) {
            // Observers subscribed during the emission lie beyond `count` and wait for the next one. Each
            // entry has its own place in memory, so a subscription that grows the list moves no observer.
            const std::size_t count = entries_.size();
            EmissionGuard guard(*this);
            for (std::size_t i = 0; i < count; ++i) {
                const Entry& entry = *entries_[i];
                if (entry.id != 0) {
                    entry.slot(args...);
                }
            }
        }

    private:
        struct Entry {
            std::uint64_t id;  // 0: unsubscribed during an emission
            Slot slot;
        };

        // Counts nested emissions and drops the unsubscribed entries when the outermost one ends.
        class EmissionGuard {
        public:
            explicit EmissionGuard(List& list) : list_(list) { ++list_.emitting_; }
            ~EmissionGuard() {
                if (--list_.emitting_ == 0 && list_.removedWhileEmitting_) {
                    std::erase_if(list_.entries_, [](const std::unique_ptr<Entry>& entry) { return entry->id == 0; });
                    list_.removedWhileEmitting_ = false;
                }
            }
            EmissionGuard(const EmissionGuard&) = delete;
            EmissionGuard& operator=(const EmissionGuard&) = delete;

        private:
            List& list_;
        };

        std::vector<std::unique_ptr<Entry>> entries_;
        std::uint64_t lastId_ = 0;
        int emitting_ = 0;
        bool removedWhileEmitting_ = false;
    };

    std::shared_ptr<List> list_;
};

// Visits a notification that may carry one of several changes with one lambda per kind of change.
template <typename... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <typename... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

}  // namespace quorell
