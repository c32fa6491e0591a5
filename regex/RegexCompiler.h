#pragma once
// The pattern compiler: a recursive-descent parser that runs twice over the pattern, once to
// measure the program and once to write it into a buffer of exactly that size, and then works out
// the facts that speed up a search (required start character, anchored start, longest required
// literal, the set of characters a match can begin with).

#include "regex/RegexProgram.h"

#include <cstddef>
#include <string>

namespace regex_program {

struct CompileOptions {
    unsigned modifiers = 0;             // TRegex::modI ... modX
    const uint8_t* caseTable = nullptr; // 256 entries: each character's other-case counterpart
    std::string spaceChars;             // members of \s
    std::string wordChars;              // members of \w
    std::string lineBreakChars;       // line separators ("$" with modifier m may stand before them)
    bool lineSeparatorsExist = false; // line breaks or a paired separator are defined
};

// A syntax error: its code and the offset in the pattern where the parser stood.
struct CompileError {
    int code;
    int position;
};

// Compiles `pattern`; throws CompileError.
RegexProgram Compile(const std::string& pattern, const CompileOptions& options);

} // namespace regex_program
