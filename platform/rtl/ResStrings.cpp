#include "platform/rtl/ResStrings.h"

#include <atomic>
#include <map>
#include <mutex>

namespace {

struct TStringTable {
    std::mutex Lock;
    std::map<int, std::string> Texts;
};

TStringTable& Table() {
    static TStringTable table;
    return table;
}

std::atomic<TResStringHook> hookSlot{nullptr};

} // namespace

void RegisterResString(int identifier, std::string text) {
    TStringTable& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    table.Texts[identifier] = std::move(text);
}

std::string StoredResString(int identifier) {
    TStringTable& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto it = table.Texts.find(identifier);
    return it == table.Texts.end() ? std::string() : it->second;
}

TResStringHook SetResStringHook(TResStringHook hook) {
    return hookSlot.exchange(hook);
}

TResStringHook ResStringHook() {
    return hookSlot.load();
}

std::string LoadResString(const TResStringRec* record) {
    if (record == nullptr)
        return {};
    std::string text =
        record->HasText() ? std::string(record->Text) : StoredResString(record->Identifier);
    if (TResStringHook hook = hookSlot.load())
        return hook(*record, std::move(text));
    return text;
}

std::string LoadStr(int identifier) {
    const TResStringRec record{identifier, nullptr};
    return LoadResString(&record);
}

std::string FmtLoadStr(int identifier, const std::vector<TVarRec>& args) {
    return Format(LoadStr(identifier), args);
}
