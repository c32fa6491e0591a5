#include "tools/unitsim/SettingStore.h"

#include <algorithm>

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool AllOf(const std::string& s, bool (*pred)(char)) {
    return std::all_of(s.begin(), s.end(), pred);
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsTextChar(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
}

const char* const kHexDigits = "0123456789ABCDEF";

} // namespace

TSettingStore::TSettingStore() {
    auto hex = [this](const char* kw, int digits, const char* factory, long long max = -1) {
        Add({kw, skHex, digits, max, {}, factory, {}});
    };
    auto text = [this](const std::string& kw, int size, const char* factory) {
        Add({kw, skText, size, -1, {}, factory, {}});
    };
    auto onOff = [this](const char* kw, const char* factory) {
        Add({kw, skOnOff, 2, -1, {}, factory, {}});
    };
    auto readOnly = [this](const char* kw, const char* factory) {
        Add({kw, skReadOnly, 0, -1, {}, factory, {}});
    };
    const std::vector<std::string> fixTimes = {"FFFF", "012C", "0258", "0384"};

    // Common page.
    Add({"object", skDecimal, 8, -1, {}, "0050", {}});
    hex("periodgsm", 4, "000A");
    hex("periodgps", 4, "000A");
    Add({"activetime", skChoice, 4, -1, fixTimes, "FFFF", {}});
    Add({"dontsleep", skChoice, 2, -1, {"00", "0F", "FF"}, "00", {}});
    onOff("wakefr", "00");
    Add({"zone", skZone, 34, -1, {}, std::string(32, '0') + "FF", {}});
    onOff("dzonesleep", "FF");
    hex("zact", 2, "00");
    hex("zren", 2, "00");
    hex("flagact", 2, "00");
    hex("flagren", 2, "00");
    readOnly("MFLAG", "0000");

    // GPRS page.
    text("gphone", 35, "*99#");
    text("GAPN", 35, "internet.apn");
    text("gprsname", 35, "internet");
    text("gprspswd", 35, "lanterns");
    text("IPadr", 15, "192.0.2.10");
    Add({"IPport", skDecimal, 8, 65535, {}, "3055", {}});
    text("servpswd", 8, "MildRain");
    hex("timegpres", 2, "0A");
    onOff("gprsena", "FF");
    hex("activegsm", 4, "0078");
    hex("allogic", 2, "FF");
    for (int n = 0; n < 16; ++n) {
        text(std::string("alphon") + kHexDigits[n], 30, "");
        text(std::string("ing") + kHexDigits[n], 30, "");
    }

    // Phones and power pages.
    onOff("enaing", "FF");
    onOff("dontcharge", "00");
    hex("edgeign", 4, "03E8");
    readOnly("cursupp", "04B0");
    onOff("lookign", "FF");
    hex("periodgs1", 4, "0078");
    hex("periodgp1", 4, "003C");
    Add({"activetim1", skChoice, 4, -1, fixTimes, "FFFF", {}});

    // Unit facts and the history pointers.
    readOnly("typepan", "38");
    readOnly("PGPS", "00");
    readOnly("point", "0000");
    hex("nspoint", 4, "0000", 0xFFDF);
    readOnly("v", "REV 07.503.090");
}

void TSettingStore::Add(TSetting setting) {
    setting.Value = setting.Factory;
    std::string key = setting.Keyword;
    settings_[key] = std::move(setting);
}

bool TSettingStore::Has(const std::string& keyword) const {
    return settings_.count(keyword) != 0;
}

const TSettingStore::TSetting* TSettingStore::Find(const std::string& keyword) const {
    auto it = settings_.find(keyword);
    return it == settings_.end() ? nullptr : &it->second;
}

std::string TSettingStore::Get(const std::string& keyword) const {
    const TSetting* s = Find(keyword);
    return s ? s->Value : std::string();
}

std::string TSettingStore::Factory(const std::string& keyword) const {
    const TSetting* s = Find(keyword);
    return s ? s->Factory : std::string();
}

std::vector<std::string> TSettingStore::Keywords() const {
    std::vector<std::string> out;
    for (const auto& [key, setting] : settings_)
        out.push_back(key);
    return out;
}

void TSettingStore::Set(const std::string& keyword, const std::string& value) {
    auto it = settings_.find(keyword);
    if (it == settings_.end()) {
        Add({keyword, skReadOnly, 0, -1, {}, value, {}});
        return;
    }
    it->second.Value = value;
}

bool TSettingStore::Write(const std::string& keyword, const std::string& value) {
    auto it = settings_.find(keyword);
    if (it == settings_.end() || !Accepts(it->second, value))
        return false;
    it->second.Value = value;
    return true;
}

bool TSettingStore::Accepts(const TSetting& setting, const std::string& value) {
    switch (setting.Kind) {
    case skHex:
        if (value.size() != static_cast<size_t>(setting.Size) || !AllOf(value, IsHexDigit))
            return false;
        return setting.Max < 0 || std::stoll(value, nullptr, 16) <= setting.Max;
    case skDecimal:
        if (value.empty() || value.size() > static_cast<size_t>(setting.Size) ||
            !AllOf(value, IsDecimalDigit))
            return false;
        return setting.Max < 0 || std::stoll(value) <= setting.Max;
    case skText:
        return !value.empty() && value.size() <= static_cast<size_t>(setting.Size) &&
               AllOf(value, IsTextChar);
    case skOnOff:
        return value == "00" || value == "FF";
    case skChoice:
        return std::find(setting.Choices.begin(), setting.Choices.end(), value) !=
               setting.Choices.end();
    case skZone: {
        if (value.size() != 34 || !AllOf(value, IsHexDigit))
            return false;
        const std::string sw = value.substr(32);
        return sw == "00" || sw == "FF";
    }
    case skReadOnly:
        return false;
    }
    return false;
}

void TSettingStore::ResetToFactory() {
    for (auto& [key, setting] : settings_)
        setting.Value = setting.Factory;
}
