#include "i18n/text/LocLines.h"

#include "i18n/text/LocText.h"
#include "platform/rtl/Classes.h"

std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> fields;
    if (delimiter.empty()) {
        if (!text.empty())
            fields.emplace_back(text);
        return fields;
    }
    size_t start = 0;
    for (size_t at = text.find(delimiter); at != std::string_view::npos;
         at = text.find(delimiter, start)) {
        fields.emplace_back(text.substr(start, at - start));
        start = at + delimiter.size();
    }
    if (start < text.size())
        fields.emplace_back(text.substr(start));
    return fields;
}

std::string JoinFields(const std::vector<std::string>& items, std::string_view separator,
                       bool skipEmpty) {
    std::string out;
    bool first = true;
    for (const std::string& item : items) {
        if (skipEmpty && item.empty())
            continue;
        if (!first)
            out.append(separator);
        out.append(item);
        first = false;
    }
    return out;
}

int FindEntryByKey(const TStrings& list, std::string_view line, char delimiter) {
    const std::string key = GetField(line, delimiter, 0);
    for (int i = 0; i < list.Count(); ++i)
        if (CompareTextLocale(GetField(list.Get(i), delimiter, 0), key) == 0)
            return i;
    return -1;
}

std::string MergeEntry(std::string_view oldLine, std::string_view newLine, char delimiter) {
    const std::string_view delim(&delimiter, 1);
    const std::vector<std::string> olds = SplitFields(oldLine, delim);
    const std::vector<std::string> news = SplitFields(newLine, delim);
    std::vector<std::string> merged;
    merged.push_back(olds.empty() ? std::string() : olds[0]);
    for (size_t i = 1; i < olds.size(); ++i)
        merged.push_back(i < news.size() && !news[i].empty() ? news[i] : olds[i]);
    for (size_t i = olds.size(); i < news.size(); ++i)
        merged.push_back(news[i]);
    return JoinFields(merged, "\x01", false) + '\x01';
}
