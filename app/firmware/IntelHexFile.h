#pragma once
// Reading an Intel HEX file into a firmware image, checked completely before anything may be
// sent to a unit: every line a record (":", byte count, address, type, data, check byte, all as
// hex digits; a carriage return and blanks at the line's end are allowed, as are empty lines),
// every check byte right, only the known record types, extended segment (02) and linear (04)
// address records for addresses beyond 64 KiB, no record crossing its 64 KiB window, every byte
// inside the unit's flash and given once, at least one data byte, and an end-of-file record
// with nothing after it. Each data byte lands at its own address, whatever the record lengths.
//
// The first fault ends the reading with EHexFileError, which says in typed fields and in its
// message which line stopped the reading and why; the image then holds what came before it.

#include "app/firmware/FirmwareImage.h"
#include "platform/rtl/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum THexProblem {
    hpNotARecord,     // the line does not begin with ":"
    hpBadDigits,      // a character that is not a hex digit
    hpBadLength,      // the line's length does not match its byte count
    hpCheckByte,      // the check byte does not make the record's sum 0
    hpUnknownType,    // a record type other than 00 to 05
    hpBadAddressType, // an address or start record of the wrong length or address field
    hpBadEnd,         // an end-of-file record with data
    hpAfterEnd,       // a record after the end-of-file record
    hpOutOfRange,     // bytes beyond the flash, or crossing the record's 64 KiB window
    hpOverlap,        // a byte that an earlier record already gave
    hpNoData,         // no data byte in the whole file
    hpNoEnd,          // the file ends without an end-of-file record (cut short)
};

class EHexFileError : public Exception {
public:
    // `line` is 1-based; 0 for a fault of the whole file.
    EHexFileError(THexProblem problem, int line, uint32_t address, std::string detail);
    const char* ClassName() const noexcept override { return "EHexFileError"; }

    THexProblem Problem() const { return problem_; }
    int Line() const { return line_; }
    // The address concerned (out of range, overlap), else 0.
    uint32_t Address() const { return address_; }

private:
    THexProblem problem_;
    int line_;
    uint32_t address_;
};

// One data record as the file gave it.
struct THexDataRecord {
    int Line = 0;         // 1-based line of the file
    uint32_t Address = 0; // absolute address of its first byte
    size_t Length = 0;
};

// Reads `text` into `image` (which should be empty). `records`, when given, receives every data
// record in file order. Raises EHexFileError at the first fault; `lineOffset` is added to the
// line numbers it reports (for a file read after a header line).
void ReadIntelHex(std::string_view text, TFirmwareImage& image,
                  std::vector<THexDataRecord>* records = nullptr, int lineOffset = 0);
