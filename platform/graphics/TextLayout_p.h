#pragma once
// Text layout of the canvas's DrawText, in steps: tabs and line breaks, the '&' markers, word
// wrap, then ellipses for lines that do not fit. Widths come from the font's metrics (letter
// spacing included); a longer text is never narrower, which lets the fitting searches halve.

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <vector>

struct TTextLine {
    QString text;
    int underline = -1; // index of the character marked by '&', -1 for none
};

// Removes the '&' markers: "&&" is a literal '&', "&x" underlines x.
TTextLine StripPrefix(const QString& s);

// Tabs become spaces up to the next multiple of eight characters.
QString ExpandTabs(const QString& s);

// The paragraphs of text, split at any kind of line break; one line without breaks when single.
QStringList SplitParagraphs(const QString& text, bool single);

// Greedy word wrap of one paragraph into lines no wider than boxWidth, appended to lines. A word
// longer than the box stays whole unless breakWords, which breaks it between characters.
void WrapParagraph(const TTextLine& paragraph, int boxWidth, bool breakWords,
                   const QFontMetrics& metrics, std::vector<TTextLine>& lines);

// Shortens a line wider than boxWidth with "..." by the DT_*_ELLIPSIS flags; a line that fits
// stays as it is.
void ShortenWithEllipsis(TTextLine& line, int boxWidth, unsigned flags,
                         const QFontMetrics& metrics);

// All the steps for DrawText's flags: the lines to draw in a box boxWidth wide.
std::vector<TTextLine> BreakText(const QString& text, unsigned flags, int boxWidth,
                                 const QFontMetrics& metrics);
