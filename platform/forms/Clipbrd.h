#pragma once
// The desktop's clipboard, for plain text.

#include <string>

class TClipboard {
public:
    // Whether the clipboard holds text now.
    bool HasText() const;
    std::string AsText() const;
    void SetAsText(const std::string& text);
    // Empties it.
    void Clear();
};

// The one clipboard of the program.
TClipboard* Clipboard();
