#pragma once
// The labels of a series' points: one optional text per point index. A series without labels
// keeps the list empty; the first non-empty label fills the slots before it with empty ones, and
// from then on the list stays in step with the points.

#include <string>
#include <vector>

class TLabelsList {
public:
    int Count() const { return static_cast<int>(labels_.size()); }
    bool Empty() const { return labels_.empty(); }
    // The label at index; empty beyond the list or for an empty slot.
    const std::string& Get(int index) const;
    const std::string& operator[](int index) const { return Get(index); }
    // Replaces the label at index, growing the list with empty slots to reach it.
    void Put(int index, const std::string& label);

    // A non-empty label goes in at index (the list first growing with empty slots up to index);
    // an empty one inserts an empty slot, except into an empty list, which stays empty.
    void Insert(int index, const std::string& label);
    // Removes the slot at index; nothing for an index outside the list.
    void Delete(int index);
    // Removes the slots first .. first + count - 1 that exist.
    void DeleteRange(int first, int count);
    void Exchange(int a, int b);
    void Clear() { labels_.clear(); }
    // Clears, then inserts every label of the source at its index, in order.
    void Assign(const TLabelsList& source);

private:
    std::vector<std::string> labels_;
};
