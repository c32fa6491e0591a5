#include "device/ReplyCollector.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Strings.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsWord(std::string_view line, const char* word) {
    return SameText(Trim(std::string(line)), word);
}

} // namespace

TReplyCollector::TReplyCollector(const std::string& terminator, const std::string& keyword)
    : wanted_(Cp1251UpperCase(Utf8ToCp1251(terminator))), keyword_(Utf8ToCp1251(keyword)) {}

bool TReplyCollector::Add(char byte) {
    if (skipping_)
        AddStale(byte);
    else
        AddKept(byte);
    return found_;
}

void TReplyCollector::AddKept(char byte) {
    kept_ += byte;
    keptUpper_ += static_cast<char>(Cp1251UpperChar(static_cast<unsigned char>(byte)));
    const std::string_view line = std::string_view(kept_).substr(lineStart_);
    const bool firstMark = byte == '>' && line.find('>') == line.size() - 1;
    if (firstMark && !keyword_.empty() && !IsOurs(NameOfLine(line))) {
        SetCurrentLineAside();
        return;
    }
    if (!found_ && !pending_ && MatchEndsHere())
        pending_ = true;
    // With a keyword, the terminator inside a line that may still turn out to name another
    // keyword ("lookign>" holds "OK") counts only once the line shows its ">" or ends; a line
    // that is just the terminator counts at once.
    if (pending_ && (keyword_.empty() || firstMark || line.find('>') != std::string_view::npos ||
                     IsLineEnd(byte) || SameText(Trim(std::string(line)), Trim(wanted_)))) {
        found_ = true;
        pending_ = false;
    }
    if (IsLineEnd(byte)) {
        if (IsWord(line, "ERROR"))
            refused_ = true;
        lineStart_ = kept_.size();
    }
}

bool TReplyCollector::MatchEndsHere() const {
    if (wanted_.empty() || keptUpper_.size() < wanted_.size())
        return false;
    return keptUpper_.compare(keptUpper_.size() - wanted_.size(), wanted_.size(), wanted_) == 0;
}

void TReplyCollector::SetCurrentLineAside() {
    staleLine_ = kept_.substr(lineStart_);
    kept_.resize(lineStart_);
    keptUpper_.resize(lineStart_);
    skipping_ = true;
    pending_ = false; // a terminator inside the other keyword's name is no terminator
}

void TReplyCollector::AddStale(char byte) {
    if (byte == '>' && staleLine_.find('>') == std::string::npos) {
        const std::string name = NameOfLine(staleLine_ + byte);
        if (name.empty() || IsOurs(name)) {
            // This request's own reply begins: the set-aside one ended without its "OK".
            const std::string line = staleLine_;
            staleLine_.clear();
            skipping_ = false;
            for (char c : line)
                AddKept(c);
            AddKept(byte);
            return;
        }
    }
    if (!IsLineEnd(byte)) {
        staleLine_ += byte;
        return;
    }
    // A line is set aside (and reported) once it is whole.
    stale_ += staleLine_ + byte;
    if (IsWord(staleLine_, "OK") || IsWord(staleLine_, "ERROR"))
        skipping_ = false;
    staleLine_.clear();
}

bool TReplyCollector::IsOurs(std::string_view name) const {
    return name.empty() || SameText(name, keyword_);
}

std::string TReplyCollector::TakeStale() {
    std::string taken;
    taken.swap(stale_);
    return taken;
}

std::string TReplyCollector::NameOfLine(std::string_view line) {
    const size_t mark = line.find('>');
    if (mark == std::string_view::npos)
        return std::string();
    return Trim(std::string(line.substr(0, mark)));
}

bool TReplyCollector::IsRefusal(std::string_view reply) {
    size_t start = 0;
    while (start <= reply.size()) {
        size_t end = start;
        while (end < reply.size() && !IsLineEnd(reply[end]))
            ++end;
        if (IsWord(reply.substr(start, end - start), "ERROR"))
            return true;
        start = end + 1;
    }
    return false;
}

bool TReplyCollector::HasValueLine(std::string_view reply) {
    const size_t mark = reply.find('>');
    if (mark == std::string_view::npos)
        return false;
    for (size_t i = mark + 1; i < reply.size(); ++i)
        if (IsLineEnd(reply[i]))
            return true;
    return false;
}
