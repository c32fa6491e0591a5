#include "platform/graphics/TextLayout_p.h"

#include "platform/graphics/Canvas.h"

#include <algorithm>

namespace {

const QString kDots = QStringLiteral("...");

// The first index e > start where the text from start to e (inclusive) is wider than the box,
// or the text's size when the rest fits.
int OverflowIndex(const QString& s, int start, int boxWidth, const QFontMetrics& m) {
    int n = static_cast<int>(s.size());
    auto over = [&](int e) { return m.horizontalAdvance(s.mid(start, e - start + 1)) > boxWidth; };
    if (n - 1 <= start || !over(n - 1))
        return n;
    int lo = start + 1;
    int hi = n - 1;
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (over(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// The first of the decreasing head lengths (ending with 0, which always counts) that fits.
template <class Fits> int FirstFitting(const std::vector<int>& lengths, Fits fits) {
    std::size_t lo = 0;
    std::size_t hi = lengths.size() - 1;
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo) / 2;
        if (lengths[mid] == 0 || fits(lengths[mid]))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lengths[lo];
}

// Head lengths from n down to 0, one character at a time.
std::vector<int> CharacterHeads(int n) {
    std::vector<int> lengths;
    lengths.reserve(static_cast<std::size_t>(n) + 1);
    for (int len = n; len >= 0; --len)
        lengths.push_back(len);
    return lengths;
}

// Head lengths from the whole text down to 0 dropping a word at a time (to the last space), and
// a character at a time once no space is left but the first.
std::vector<int> WordHeads(const QString& s) {
    std::vector<int> lengths;
    int len = static_cast<int>(s.size());
    while (len > 0) {
        lengths.push_back(len);
        int sp = static_cast<int>(s.lastIndexOf(u' ', len - 1));
        len = sp > 0 ? sp : len - 1;
    }
    lengths.push_back(0);
    return lengths;
}

} // namespace

TTextLine StripPrefix(const QString& s) {
    TTextLine line;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&') {
            if (i + 1 < s.size() && s[i + 1] == u'&') {
                line.text += u'&';
                ++i;
                continue;
            }
            if (i + 1 < s.size())
                line.underline = static_cast<int>(line.text.size());
            continue;
        }
        line.text += s[i];
    }
    return line;
}

QString ExpandTabs(const QString& s) {
    QString expanded;
    for (QChar c : s) {
        if (c == u'\t') {
            do
                expanded += u' ';
            while (expanded.size() % 8 != 0);
        } else {
            expanded += c;
        }
    }
    return expanded;
}

QStringList SplitParagraphs(const QString& text, bool single) {
    QString s = text;
    if (single) {
        s.remove(u'\r');
        s.remove(u'\n');
        return QStringList{s};
    }
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(u'\r', u'\n');
    return s.split(u'\n');
}

void WrapParagraph(const TTextLine& paragraph, int boxWidth, bool breakWords,
                   const QFontMetrics& metrics, std::vector<TTextLine>& lines) {
    const QString& s = paragraph.text;
    int size = static_cast<int>(s.size());
    int start = 0;
    while (start < size) {
        int end = OverflowIndex(s, start, boxWidth, metrics);
        int cut;
        int next;
        int lastBreak = end < size ? static_cast<int>(s.lastIndexOf(u' ', end)) : -1;
        if (end >= size) {
            cut = next = size;
        } else if (lastBreak > start) {
            cut = lastBreak;
            next = lastBreak + 1;
        } else if (breakWords) {
            cut = next = end;
        } else {
            int space = static_cast<int>(s.indexOf(u' ', end));
            cut = space < 0 ? size : space;
            next = space < 0 ? cut : space + 1;
        }
        TTextLine line{s.mid(start, cut - start), -1};
        if (paragraph.underline >= start && paragraph.underline < cut)
            line.underline = paragraph.underline - start;
        while (line.text.endsWith(u' '))
            line.text.chop(1);
        lines.push_back(line);
        while (next < size && s[next] == u' ')
            ++next;
        start = next;
    }
    if (s.isEmpty())
        lines.push_back(TTextLine{});
}

void ShortenWithEllipsis(TTextLine& line, int boxWidth, unsigned flags,
                         const QFontMetrics& metrics) {
    auto widthOf = [&](const QString& s) { return metrics.horizontalAdvance(s); };
    if (widthOf(line.text) <= boxWidth)
        return;
    if (flags & DT_PATH_ELLIPSIS) {
        // The last path part stays; the dots replace what precedes it.
        int slash =
            static_cast<int>(std::max(line.text.lastIndexOf(u'\\'), line.text.lastIndexOf(u'/')));
        if (slash > 0) {
            QString tail = line.text.mid(slash);
            int keep = FirstFitting(CharacterHeads(slash), [&](int len) {
                return widthOf(line.text.left(len) + kDots + tail) <= boxWidth;
            });
            line.text = line.text.left(keep) + kDots + tail;
            line.underline = -1;
            return;
        }
    }
    const QString& s = line.text;
    std::vector<int> heads =
        flags & DT_WORD_ELLIPSIS ? WordHeads(s) : CharacterHeads(static_cast<int>(s.size()));
    int keep =
        FirstFitting(heads, [&](int len) { return widthOf(s.left(len) + kDots) <= boxWidth; });
    if (line.underline >= keep)
        line.underline = -1;
    line.text = s.left(keep) + kDots;
}

std::vector<TTextLine> BreakText(const QString& text, unsigned flags, int boxWidth,
                                 const QFontMetrics& metrics) {
    bool single = (flags & DT_SINGLELINE) != 0;
    bool prefix = (flags & DT_NOPREFIX) == 0;
    bool wrap = (flags & DT_WORDBREAK) && !single && boxWidth > 0;
    QString source = flags & DT_EXPANDTABS ? ExpandTabs(text) : text;
    std::vector<TTextLine> lines;
    for (const QString& para : SplitParagraphs(source, single)) {
        TTextLine stripped = prefix ? StripPrefix(para) : TTextLine{para, -1};
        if (wrap)
            WrapParagraph(stripped, boxWidth, (flags & DT_EDITCONTROL) != 0, metrics, lines);
        else
            lines.push_back(stripped);
    }
    if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (TTextLine& line : lines)
            ShortenWithEllipsis(line, boxWidth, flags, metrics);
    }
    return lines;
}
