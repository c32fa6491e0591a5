#pragma once
// Number and date conventions. The process-wide settings start as a Russian desktop's
// (decimal comma, no-break space between thousands, "dd.MM.yyyy", "H:mm:ss"); every formatting
// routine also takes explicit settings.

#include <array>
#include <string>

struct TFormatSettings {
    std::string CurrencyString;
    unsigned char CurrencyFormat = 0; // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    unsigned char NegCurrFormat = 0;  // 0..15 as the classic runtime numbers them
    unsigned char CurrencyDecimals = 2;
    std::string ThousandSeparator; // UTF-8: may be more than one byte (no-break space)
    char DecimalSeparator = '.';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string TimeAMString;
    std::string TimePMString;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames; // Sunday first
    std::array<std::string, 7> LongDayNames;
    int TwoDigitYearCenturyWindow = 50;

    // A Russian desktop's settings.
    static TFormatSettings Russian();
    // Neutral settings: ".", "/", "MM/dd/yyyy", English names (for machine-readable texts).
    static TFormatSettings Invariant();
};

// The process-wide settings used when none are passed. Change them on the user-interface
// thread only, before worker threads format anything.
TFormatSettings& FormatSettings();
