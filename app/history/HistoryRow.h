#pragma once
// The texts of one row of the history list, from one ring line of the unit ("IIII>record").
//
// Columns: the record index (the row's caption), type, local date and time, latitude,
// longitude, speed, supply voltage, [altitude, satellites, fix, signal,] checksum, the raw
// record. The bracketed four are shown by firmware that records them (13 columns instead of 9).
// A slot that holds no record, or a record that does not decode, gets blanks in every column but
// the index and the raw record.

#include <string>
#include <vector>

struct THistoryRowOptions {
    int Shell = 0; // the unit's firmware, which decides the record layout
    int Build = 0;
    int Columns = 9;            // of the list: 9, or 13 with the four extra fields
    bool DegreesFormat = false; // coordinates as degrees, minutes, seconds
    int ThisYear = 2000;        // the century of the records' two-digit years
};

struct THistoryRow {
    std::string Caption;               // the record index as the unit sent it
    std::vector<std::string> SubItems; // the other columns in order
    // The record is to be fetched again next time (an empty slot or a record that does not
    // decode); ForgetIndex is its index, or -1 when the line names none.
    bool Forget = false;
    int ForgetIndex = -1;
};

// The row of one ring line. Dates are the record's UTC time in local time (the offset in force
// now), as short date and long time.
THistoryRow HistoryRow(const std::string& Line, const THistoryRowOptions& Options);

// The column captions of the list with Columns columns (9, or 13 with the four extra fields).
std::vector<std::string> HistoryColumnCaptions(int Columns);

// For each column of the list with Columns columns, the texts its rows may show at their widest,
// in both coordinate formats, so that a column can be sized to them. Numbers come with every digit
// in each place (digits need not be equally wide). The raw record's column has none: it takes
// what is left of the list.
std::vector<std::vector<std::string>> HistoryColumnSamples(int Columns);

// "По времени", "По смещению", "По событию" for types 1 to 3, other types as a number.
std::string HistoryTypeText(int Type);

// A ddmm.mmmmm coordinate as degrees, minutes, seconds and hundredths with its hemisphere
// (5930.50833 north: 59°30'30.50"N). Sign -1 is south for a latitude, west for a longitude.
std::string FormatCoordinate(bool Latitude, int Sign, double Value);
