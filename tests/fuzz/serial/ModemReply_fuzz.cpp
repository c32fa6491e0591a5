// Arbitrary bytes as AT command lines and as a modem's replies: the command scanner, the
// result-code rewrite and the reply parser never fail hard and keep their promises.
//
// Input: a command name, NUL, a command line, NUL, a reply (missing parts are empty).

#include "device/Modem.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Takes the text up to the next NUL (or the end) off `rest`.
std::string Take(std::string& rest) {
    const size_t nul = rest.find('\0');
    std::string part = rest.substr(0, nul);
    rest.erase(0, nul == std::string::npos ? rest.size() : nul + 1);
    return part;
}

void CheckScanner(const std::string& name, const std::string& line) {
    const int at = FindATCommand(line, name);
    Check(at >= -1 && at < static_cast<int>(line.size()));
    if (at >= 0) {
        Check(!name.empty());
        Check(Upper(line[at]) == Upper(name[0]));
    }

    // Only the digit of a Q1 command changes, and no Q1 command is left afterwards.
    const std::string on = ResultCodesOn(line);
    Check(on.size() == line.size());
    for (size_t i = 0; i < line.size(); ++i)
        Check(on[i] == line[i] || (line[i] == '1' && on[i] == '0' && i > 0));
    Check(FindATCommand(on, "Q1") < 0);
    Check(ResultCodesOn(on) == on);
}

void CheckReply(const std::string& reply, const std::string& lastCommand) {
    THayesAT at;
    if (!ParseHayesReply(reply, lastCommand, at)) {
        Check(at.ResultCode == hrNone && at.ResultText.empty() && at.Command.empty() &&
              at.Response.empty());
        return;
    }
    Check((at.ResultCode >= hrOK && at.ResultCode <= hrNoAnswer) || at.ResultCode == hrUnknown);
    Check(!at.ResultText.empty());
    Check(at.ResultText.find('\r') == std::string::npos);
    Check(at.Command.find('\r') == std::string::npos || at.Command == lastCommand);
    Check(at.Response.empty() || at.Response.size() >= 3);
    if (!at.Response.empty())
        Check(at.Response.compare(at.Response.size() - 2, 2, "\r\n") == 0);
    // Whatever the reply said, it is all in the reply: LFs removed, the lines never grow.
    Check(at.Response.size() <= reply.size() + reply.size());

    // The same reply with its LFs dropped or doubled reads the same.
    std::string doubled;
    for (char c : reply) {
        doubled += c;
        if (c == '\n')
            doubled += '\n';
    }
    THayesAT again;
    Check(ParseHayesReply(doubled, lastCommand, again));
    Check(again.ResultCode == at.ResultCode && again.ResultText == at.ResultText &&
          again.Command == at.Command && again.Response == at.Response);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string rest(reinterpret_cast<const char*>(data), size);
    const std::string name = Take(rest);
    const std::string line = Take(rest);
    const std::string reply = rest;
    CheckScanner(name, line);
    CheckScanner(name, reply);
    CheckReply(reply, line);
    CheckReply(line, reply);
    return 0;
}
