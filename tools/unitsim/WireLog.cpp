#include "tools/unitsim/WireLog.h"

#include <cstdio>

void TWireLog::Add(TDirection direction, std::string bytes, TClock::time_point time) {
    if (bytes.empty())
        return;
    entries_.push_back({time, direction, std::move(bytes)});
}

void TWireLog::Clear() {
    entries_.clear();
}

std::string TWireLog::FromPc() const {
    std::string all;
    for (const auto& e : entries_)
        if (e.Direction == wdFromPc)
            all += e.Bytes;
    return all;
}

std::string TWireLog::ToPc() const {
    std::string all;
    for (const auto& e : entries_)
        if (e.Direction == wdToPc)
            all += e.Bytes;
    return all;
}

std::string TWireLog::Escape(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

std::string TWireLog::Dump() const {
    std::string out;
    if (entries_.empty())
        return out;
    const auto start = entries_.front().Time;
    for (const auto& e : entries_) {
        const double ms = std::chrono::duration<double, std::milli>(e.Time - start).count();
        char head[32];
        std::snprintf(head, sizeof head, "%10.3f %s ", ms, e.Direction == wdFromPc ? "->" : "<-");
        out += head;
        out += Escape(e.Bytes);
        out += '\n';
    }
    return out;
}
