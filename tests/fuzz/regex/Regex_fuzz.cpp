// Compiles and searches arbitrary bytes. Layout of a fuzz input: one byte of modifiers, one byte
// giving the pattern's length, the pattern, then the text to search. Lengths are kept small so
// that a pattern with exponential backtracking (which every backtracking engine has) does not
// stall the run.

#include "regex/Regex.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const unsigned modifiers = data[0];
    const size_t patternLength = data[1] % 32;
    data += 2;
    size -= 2;
    if (patternLength > size)
        return 0;
    const std::string pattern(reinterpret_cast<const char*>(data), patternLength);
    std::string text(reinterpret_cast<const char*>(data + patternLength),
                     std::min<size_t>(size - patternLength, 20));

    TRegex r;
    for (int i = 1; i <= 6; ++i)
        r.SetModifier(i, (modifiers >> (i - 1)) & 1);
    if (modifiers & 0x40)
        r.SetLinePairedSeparator("");
    r.SetExpression(pattern);
    try {
        if (r.Exec(text)) {
            for (int n = 0; n < TRegex::kGroupCount; ++n) {
                std::string group = r.GetGroupText(n);
                if (r.MatchPos(n) > 0 &&
                    (static_cast<size_t>(r.MatchPos(n) - 1 + r.MatchLen(n)) > text.size() ||
                     group.size() != static_cast<size_t>(r.MatchLen(n))))
                    __builtin_trap(); // a group outside the input
            }
            r.ExecPos(r.MatchPos(0) + 1);
        }
        r.DumpProgram();
    } catch (const ERegex&) {
    }
    return 0;
}
