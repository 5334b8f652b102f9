#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace quorell {

// A list of observers. Emit calls every observer connected when the emission starts, in the order
// of connection; an observer disconnected during the emission is no longer called.
template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;
    using Id = std::uint64_t;

    Id Connect(Slot slot) {
        slots_.push_back({++lastId_, std::move(slot)});
        return lastId_;
    }

    void Disconnect(Id id) {
        std::erase_if(slots_, [id](const Entry& entry) { return entry.id == id; });
    }

    void Emit(Args... args) const {
        if (slots_.empty()) {
            return;
        }
        std::vector<Id> ids;
        ids.reserve(slots_.size());
        for (const Entry& entry : slots_) {
            ids.push_back(entry.id);
        }
        for (Id id : ids) {
            auto found = std::find_if(slots_.begin(), slots_.end(), [id](const Entry& e) { return e.id == id; });
            if (found != slots_.end()) {
                Slot slot = found->slot;  // a copy: the observer may disconnect itself
                slot(args...);
            }
        }
    }

    std::size_t Count() const { return slots_.size(); }

private:
    struct Entry {
        Id id;
        Slot slot;
    };
    std::vector<Entry> slots_;
    Id lastId_ = 0;
};

}  // namespace quorell
