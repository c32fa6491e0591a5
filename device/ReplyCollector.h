#pragma once
// Collects the reply to one request from the bytes that arrive after it, one byte at a time:
// finds the terminator (ignoring letter case, on the Windows-1251 bytes), notices a refusal
// ("ERROR" on a line of its own), and, when the request names its keyword, sets aside every
// whole reply that names another keyword before ">" (a late reply to an earlier request), so that
// it never becomes this request's answer.
//
// A set-aside reply runs from its "name>" line up to and including its closing "OK" or "ERROR"
// line; a line that names this request's keyword (or none) ends it early. The terminator found
// inside a line that has not yet shown whether it names another keyword counts once it does.

#include <string>
#include <string_view>

class TReplyCollector {
public:
    // `terminator` is UTF-8; an empty `keyword` sets nothing aside.
    TReplyCollector(const std::string& terminator, const std::string& keyword);

    // Takes one received byte; true once the terminator has arrived in the kept bytes.
    bool Add(char byte);
    bool Found() const { return found_; }
    // A line of the kept bytes was "ERROR".
    bool Refused() const { return refused_; }
    // The kept bytes, as received.
    const std::string& Bytes() const { return kept_; }
    // The whole lines set aside since the last call.
    std::string TakeStale();

    // True when a line of `reply` (the last one too, ended or not) is "ERROR", ignoring blanks
    // and case.
    static bool IsRefusal(std::string_view reply);
    // True when `reply` holds a whole value line: a ">" followed, later on, by a line end.
    static bool HasValueLine(std::string_view reply);
    // The keyword a reply line names before its first ">": empty when the line has no ">" or
    // nothing before it.
    static std::string NameOfLine(std::string_view line);

private:
    void AddKept(char byte);
    void AddStale(char byte);
    // The current line of the kept bytes names another keyword: move it aside.
    void SetCurrentLineAside();
    bool IsOurs(std::string_view name) const;
    // The kept bytes end with the terminator.
    bool MatchEndsHere() const;

    std::string wanted_;  // the terminator, upper case, Windows-1251
    std::string keyword_; // Windows-1251
    std::string kept_;
    std::string keptUpper_;
    size_t lineStart_ = 0; // where the current line of kept_ starts
    bool skipping_ = false;
    std::string staleLine_; // the current line of a set-aside reply
    std::string stale_;
    bool found_ = false;
    bool pending_ = false; // the terminator came in a line not yet known to be this request's
    bool refused_ = false;
};
