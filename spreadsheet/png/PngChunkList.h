#pragma once
// The chunks of a PNG image in file order; the list owns them.

#include "spreadsheet/png/PngChunk.h"

#include <memory>
#include <vector>

class TPNGList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Item i, null beyond the count.
    TChunk* Item(int i) const {
        return i >= 0 && i < Count() ? items_[static_cast<std::size_t>(i)].get() : nullptr;
    }
    TChunk* Add(std::unique_ptr<TChunk> chunk) {
        items_.push_back(std::move(chunk));
        return items_.back().get();
    }
    // Takes the last occurrence of chunk out of the list and hands it over; null when absent.
    std::unique_ptr<TChunk> Remove(const TChunk* chunk) {
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
            if (it->get() == chunk) {
                std::unique_ptr<TChunk> taken = std::move(*it);
                items_.erase(std::next(it).base());
                return taken;
            }
        }
        return nullptr;
    }
    // Frees every chunk.
    void Clear() { items_.clear(); }
    // The first chunk of class T, null when none.
    template <class T> T* ItemFromClass() const {
        for (const auto& c : items_) {
            if (auto* t = dynamic_cast<T*>(c.get()))
                return t;
        }
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TChunk>> items_;
};
