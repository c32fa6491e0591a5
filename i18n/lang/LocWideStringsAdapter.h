#pragma once
// The lines of a UTF-16 text, as the stored-table reader's second pass walks them: every CR ends
// a line, LF is dropped wherever it stands, NUL ends the text, and what follows the last CR is
// not a line.

#include <string>
#include <string_view>
#include <vector>

class TLocWideStringsAdapter {
public:
    void SetText(std::u16string_view text);
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::u16string& Strings(int index) const { return lines_.at(static_cast<size_t>(index)); }

private:
    std::vector<std::u16string> lines_;
};
