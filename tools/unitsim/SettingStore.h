#pragma once
// The simulated unit's settings: every keyword the unit answers with a stored value, the value the
// unit holds now and its factory value, and the check a written value must pass before the unit
// takes it. Values are kept as the text that crosses the line (hex digits, decimal digits, plain
// text), exactly as the unit would send them back.

#include <map>
#include <string>
#include <vector>

class TSettingStore {
public:
    enum TSettingKind {
        skHex,      // exactly Size hex digits, at most Max as a number when Max >= 0
        skDecimal,  // 1..Size decimal digits, at most Max when Max >= 0
        skText,     // up to Size characters, no control characters
        skOnOff,    // "00" (on) or "FF" (off)
        skChoice,   // one of Choices
        skZone,     // four 8-digit hex coordinates followed by "00" or "FF"
        skReadOnly, // the unit reports it but refuses a write
    };

    struct TSetting {
        std::string Keyword;
        TSettingKind Kind = skText;
        int Size = 0;
        long long Max = -1;
        std::vector<std::string> Choices;
        std::string Factory;
        std::string Value;
    };

    // A store holding every keyword at its factory value.
    TSettingStore();

    bool Has(const std::string& keyword) const;
    // The stored value; empty for an unknown keyword.
    std::string Get(const std::string& keyword) const;
    std::string Factory(const std::string& keyword) const;
    const TSetting* Find(const std::string& keyword) const;
    // Every keyword, in sorted order.
    std::vector<std::string> Keywords() const;

    // Stores `value` without any check (state set up by a test or by another part of the unit,
    // such as the history pointer). Adds the keyword as read-only when it is unknown.
    void Set(const std::string& keyword, const std::string& value);
    // A write from the line: stores `value` when the unit accepts it for `keyword`, else leaves
    // the store unchanged and returns false.
    bool Write(const std::string& keyword, const std::string& value);
    // Whether the unit would accept `value` for `setting`.
    static bool Accepts(const TSetting& setting, const std::string& value);

    // Every value back to its factory value.
    void ResetToFactory();

private:
    void Add(TSetting setting);

    std::map<std::string, TSetting> settings_;
};
