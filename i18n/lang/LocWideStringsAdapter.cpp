#include "i18n/lang/LocWideStringsAdapter.h"

void TLocWideStringsAdapter::SetText(std::u16string_view text) {
    lines_.clear();
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\0')
            break;
        if (c == u'\r') {
            lines_.push_back(std::move(line));
            line.clear();
        } else if (c != u'\n') {
            line += c;
        }
    }
}
