#pragma once
// The unit's firmware version text ("REV 07.503.090") and the numbers the program reads from it:
// the major revision, the firmware shell (only 503 is supported) and the build, which decides the
// features and the history layout a unit has.

#include <cstdint>
#include <string>

struct TFirmwareVersion {
    std::string Prefix; // characters 1-3, "REV"; at most 20 characters
    char Separator = 0; // character 4, a blank
    uint8_t Major = 0;  // the two digits after a blank
    uint16_t Shell = 0; // the three digits between two other characters, ".503."
    uint16_t Build = 0; // the first three digits from character 12 on
    std::string Tail;   // characters 15 to the end ("p", "_p"); at most 250 characters
};

// The whole first match of Pattern in Text, searched from the first character with the engine's
// default modifiers; empty when there is none.
std::string RegexFirstMatch(const std::string& Text, const std::string& Pattern);

// Fills Version from Text. A text in which a number is missing (shorter than twelve characters,
// no ".503." shape, no " 07") raises EConvertError, and Version is then left zero-filled.
void ParseFirmwareVersion(const std::string& Text, TFirmwareVersion& Version);

// True for the version texts this program supports: "REV 07" and, after the first ".", a shell
// number above 499.
bool IsModernVersion(const std::string& Text);

// The file version of the given program file: this program's own version for its own file, empty
// for any other file or one that does not exist.
std::string GetFileVersionText(const std::string& FileName);
