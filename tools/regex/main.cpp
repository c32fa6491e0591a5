// quorvan4-regex PATTERN: searches every line of standard input (bytes, LF-separated, the LF not
// part of the line) with PATTERN and prints one line per input line:
//   match P L [gN P L]...   the 1-based position and length of the match and of each group
//                           that took part
//   nomatch
//   error CODE TEXT
// Modifiers are set inside the pattern: "(?i)", "(?-s)", ...

#include "regex/Regex.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvan4-regex PATTERN < lines\n");
        return 2;
    }
    std::ios::sync_with_stdio(false);
    TRegex regex;
    regex.SetExpression(argv[1]);
    std::string line;
    std::string out;
    while (std::getline(std::cin, line)) {
        try {
            if (regex.Exec(line)) {
                out = "match " + std::to_string(regex.MatchPos(0)) + " " +
                      std::to_string(regex.MatchLen(0));
                for (int n = 1; n < TRegex::kGroupCount; ++n) {
                    if (regex.MatchPos(n) < 0)
                        continue;
                    out += " g" + std::to_string(n) + " " + std::to_string(regex.MatchPos(n)) +
                           " " + std::to_string(regex.MatchLen(n));
                }
            } else {
                out = "nomatch";
            }
        } catch (const ERegex& e) {
            out = "error " + std::to_string(e.ErrorCode()) + " " + e.Message();
        }
        out += '\n';
        std::cout << out;
    }
    return 0;
}
