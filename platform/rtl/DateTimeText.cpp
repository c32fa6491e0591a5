// Date and time texts: FormatDateTime and the StrToDate family (declared in DateTime.h).

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

#include <cctype>
#include <cmath>
#include <vector>

namespace {

struct Parts {
    int year, month, day, hour, min, sec, msec, dow;
    bool midnight;
};

Parts Decode(TDateTime value) {
    Parts p{};
    DecodeDateTime(value, p.year, p.month, p.day, p.hour, p.min, p.sec, p.msec);
    p.dow = DayOfWeek(value);
    p.midnight = p.hour == 0 && p.min == 0 && p.sec == 0; // milliseconds do not count
    return p;
}

std::string Pad(int value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<size_t>(width) - s.size(), '0');
    return s;
}

bool StartsNoCase(std::string_view s, size_t at, std::string_view word) {
    return s.size() - at >= word.size() && SameText(s.substr(at, word.size()), word);
}

// True when an am/pm marker follows `from` before the next hour token, outside quotes.
bool TwelveHour(std::string_view f, size_t from) {
    for (size_t i = from; i < f.size();) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            const size_t close = f.find(c, i + 1);
            i = close == std::string_view::npos ? f.size() : close + 1;
            continue;
        }
        if (c == 'h' || c == 'H')
            return false;
        if (StartsNoCase(f, i, "am/pm") || StartsNoCase(f, i, "a/p") || StartsNoCase(f, i, "ampm"))
            return true;
        ++i;
    }
    return false;
}

// Writes date-time formats into a text: runs of field letters, am/pm markers, quoted and other
// literal characters. Formats that name other formats (c, t, tt, ddddd, dddddd) nest at most twice,
// so settings that name each other do not recurse for ever.
class TDateTimeWriter {
public:
    TDateTimeWriter(std::string& out, const Parts& p, const TFormatSettings& fs)
        : out_(out), p_(p), fs_(fs) {}

    void Write(std::string_view f, int depth) {
        if (depth > 2)
            return;
        char lastToken = ' ';
        for (size_t i = 0; i < f.size();) {
            char token = static_cast<char>(std::toupper(static_cast<unsigned char>(f[i])));
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N'; // minutes after an hour
                lastToken = token;
            }
            if (std::string_view("CDHMNSTYZ").find(token) != std::string_view::npos) {
                const size_t count = RunLength(f, i);
                Field(token, count, f, i + count, depth);
                i += count;
            } else if (token == 'A') {
                i += AmPm(f, i);
            } else {
                i += Literal(f, i);
            }
        }
    }

private:
    // The number of letters from at on that are the same letter in either case.
    static size_t RunLength(std::string_view f, size_t at) {
        const int letter = std::toupper(static_cast<unsigned char>(f[at]));
        size_t count = 1;
        while (at + count < f.size() &&
               std::toupper(static_cast<unsigned char>(f[at + count])) == letter)
            ++count;
        return count;
    }

    // A run of count field letters; next is where the format goes on after it.
    void Field(char token, size_t count, std::string_view f, size_t next, int depth) {
        const int width = count >= 2 ? 2 : 1;
        switch (token) {
        case 'Y':
            out_ += count <= 2 ? Pad(p_.year % 100, 2) : Pad(p_.year, 4);
            break;
        case 'M':
            if (count <= 2)
                out_ += Pad(p_.month, static_cast<int>(count));
            else
                out_ += (count == 3 ? fs_.ShortMonthNames
                                    : fs_.LongMonthNames)[static_cast<size_t>(p_.month - 1)];
            break;
        case 'D':
            Day(count, depth);
            break;
        case 'H':
            out_ += Pad(TwelveHour(f, next) ? (p_.hour + 11) % 12 + 1 : p_.hour, width);
            break;
        case 'N':
            out_ += Pad(p_.min, width);
            break;
        case 'S':
            out_ += Pad(p_.sec, width);
            break;
        case 'Z':
            out_ += Pad(p_.msec, count >= 3 ? 3 : 1);
            break;
        case 'T':
            Write(count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
            break;
        case 'C':
            Write(fs_.ShortDateFormat, depth + 1);
            if (!p_.midnight) {
                out_ += ' ';
                Write(fs_.LongTimeFormat, depth + 1);
            }
            break;
        }
    }

    // d, dd: the day; ddd, dddd: its name; ddddd, dddddd: the short and long date formats.
    void Day(size_t count, int depth) {
        const auto dow = static_cast<size_t>(p_.dow - 1);
        switch (count) {
        case 1:
        case 2:
            out_ += Pad(p_.day, static_cast<int>(count));
            break;
        case 3:
            out_ += fs_.ShortDayNames[dow];
            break;
        case 4:
            out_ += fs_.LongDayNames[dow];
            break;
        case 5:
            Write(fs_.ShortDateFormat, depth + 1);
            break;
        default:
            Write(fs_.LongDateFormat, depth + 1);
        }
    }

    // am/pm and a/p in the case written, ampm as the settings name it; any other "a" is itself.
    // Answers the characters used.
    size_t AmPm(std::string_view f, size_t i) {
        const bool pm = p_.hour >= 12;
        const bool upper = f[i] == 'A';
        if (StartsNoCase(f, i, "am/pm")) {
            out_ += pm ? (upper ? "PM" : "pm") : (upper ? "AM" : "am");
            return 5;
        }
        if (StartsNoCase(f, i, "a/p")) {
            out_ += pm ? (upper ? "P" : "p") : (upper ? "A" : "a");
            return 3;
        }
        if (StartsNoCase(f, i, "ampm")) {
            out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
            return 4;
        }
        return Literal(f, i);
    }

    // Quoted text as it stands, the date and time separators, any other character itself.
    // Answers the characters used.
    size_t Literal(std::string_view f, size_t i) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            const size_t close = f.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? f.size() : close;
            out_.append(f.substr(i + 1, end - i - 1));
            return (close == std::string_view::npos ? f.size() : close + 1) - i;
        }
        if (c == '/')
            out_ += fs_.DateSeparator;
        else if (c == ':')
            out_ += fs_.TimeSeparator;
        else
            out_ += c;
        return 1;
    }

    std::string& out_;
    const Parts& p_;
    const TFormatSettings& fs_;
};

// --- parsing ---

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// A run of 1..9 digits; false for anything else.
bool ReadNumber(std::string_view s, int& value, size_t& digits) {
    s = TrimSpaces(s);
    if (s.empty() || s.size() > 9)
        return false;
    int v = 0;
    for (char c : s) {
        if (!IsDigit(c))
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    digits = s.size();
    return true;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == sep) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

// The order of day, month and year in a date format, e.g. "DMY".
std::string DateOrder(std::string_view format) {
    std::string order;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const size_t close = format.find(c, i + 1);
            if (close == std::string_view::npos)
                break;
            i = close;
            continue;
        }
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if ((u == 'D' || u == 'M' || u == 'Y') && order.find(u) == std::string::npos)
            order += u;
    }
    return order.size() == 3 ? order : "DMY";
}

bool ParseDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    const std::vector<std::string_view> parts = Split(TrimSpaces(s), fs.DateSeparator);
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    std::string order = DateOrder(fs.ShortDateFormat);
    if (parts.size() == 2)
        order.erase(order.find('Y'), 1);
    int y = YearOf(Now()), m = 0, d = 0;
    size_t yearDigits = 4;
    for (size_t k = 0; k < parts.size(); ++k) {
        int v;
        size_t digits;
        if (!ReadNumber(parts[k], v, digits))
            return false;
        switch (order[k]) {
        case 'D':
            d = v;
            break;
        case 'M':
            m = v;
            break;
        default:
            y = v;
            yearDigits = digits;
        }
    }
    if (yearDigits <= 2 && y < 100) {
        const int current = YearOf(Now());
        const int century = current - fs.TwoDigitYearCenturyWindow;
        y += century / 100 * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && y < century)
            y += 100;
    }
    return TryEncodeDate(y, m, d, value);
}

bool ParseTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    s = TrimSpaces(s);
    // An AM/PM marker before or after the numbers.
    int half = -1; // -1 none, 0 am, 1 pm
    auto takeMarker = [&](bool atEnd) {
        const std::string_view words[] = {fs.TimeAMString, fs.TimePMString, "AM", "PM", "A", "P"};
        for (size_t k = 0; k < 6; ++k) {
            const std::string_view w = words[k];
            if (w.empty() || s.size() < w.size())
                continue;
            const std::string_view piece =
                atEnd ? s.substr(s.size() - w.size()) : s.substr(0, w.size());
            if (SameText(piece, w)) {
                half = static_cast<int>(k % 2);
                s = atEnd ? s.substr(0, s.size() - w.size()) : s.substr(w.size());
                s = TrimSpaces(s);
                return;
            }
        }
    };
    takeMarker(true);
    if (half < 0)
        takeMarker(false);
    std::string_view msPart;
    bool hasMs = false;
    if (fs.TimeSeparator != '.' && fs.TimeSeparator != fs.DecimalSeparator) {
        const size_t dot = s.find_first_of(std::string{'.', fs.DecimalSeparator});
        if (dot != std::string_view::npos) {
            hasMs = true;
            msPart = s.substr(dot + 1);
            s = s.substr(0, dot);
        }
    }
    const std::vector<std::string_view> parts = Split(s, fs.TimeSeparator);
    if (parts.size() > 3 || (parts.size() == 1 && half < 0))
        return false;
    int h = 0, n = 0, sec = 0, ms = 0;
    size_t digits;
    if (!ReadNumber(parts[0], h, digits))
        return false;
    if (parts.size() > 1 && !ReadNumber(parts[1], n, digits))
        return false;
    if (parts.size() > 2 && !ReadNumber(parts[2], sec, digits))
        return false;
    if (hasMs) {
        if (parts.size() < 3 || msPart.empty() || msPart.size() > 3)
            return false;
        for (char c : msPart)
            if (!IsDigit(c))
                return false;
        ms = std::stoi(std::string(msPart)); // a count of milliseconds: ",5" is 5 ms
    }
    if (half >= 0) {
        if (h < 1 || h > 12)
            return false;
        h = h % 12 + (half == 1 ? 12 : 0);
    }
    return TryEncodeTime(h, n, sec, ms, value);
}

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs) {
    const Parts p = Decode(value);
    std::string out;
    TDateTimeWriter(out, p, fs).Write(format.empty() ? std::string_view("c") : format, 0);
    return out;
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime("c", value, fs);
}

std::string DateToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.ShortDateFormat, value, fs);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.LongTimeFormat, value, fs);
}

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    return ParseDate(s, value, fs);
}

bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    return ParseTime(s, value, fs);
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    s = TrimSpaces(s);
    TDateTime date, time;
    if (ParseDate(s, date, fs)) {
        value = date;
        return true;
    }
    const size_t blank = s.find(' ');
    if (blank != std::string_view::npos && ParseDate(s.substr(0, blank), date, fs)) {
        if (!ParseTime(s.substr(blank + 1), time, fs))
            return false;
        value = date >= 0 ? date + time : date - time;
        return true;
    }
    if (ParseTime(s, time, fs)) {
        value = time;
        return true;
    }
    return false;
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDate(s, v, fs))
        throw EConvertError("'" + std::string(s) + "' is not a valid date");
    return v;
}

TDateTime StrToTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToTime(s, v, fs))
        throw EConvertError("'" + std::string(s) + "' is not a valid time");
    return v;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime v;
    if (!TryStrToDateTime(s, v, fs))
        throw EConvertError("'" + std::string(s) + "' is not a valid date and time");
    return v;
}
