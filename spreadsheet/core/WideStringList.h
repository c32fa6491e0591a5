#pragma once
// A list of wide texts with a change event. Writing at the index equal to the count appends
// (and so fires the event twice); a write outside 0..count raises "Index out of range".

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TXLSWideStringList {
public:
    using TNotifyEvent = std::function<void(TXLSWideStringList* sender)>;

    TXLSWideStringList() = default;
    ~TXLSWideStringList();
    TXLSWideStringList(const TXLSWideStringList&) = delete;
    TXLSWideStringList& operator=(const TXLSWideStringList&) = delete;

    int Count() const { return static_cast<int>(entries_.size()); }
    int Add(const std::u16string& text);
    void Clear();
    std::u16string Strings(int index) const;
    void SetStrings(int index, const std::u16string& text);

    TNotifyEvent OnChange;
    bool SuppressChange = false;

private:
    struct TEntry {
        std::u16string Text;
    };
    void Changed();
    std::vector<std::unique_ptr<TEntry>> entries_;
};
