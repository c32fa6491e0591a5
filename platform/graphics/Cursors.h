#pragma once
// Mouse cursor numbers, their names, and the pointer shapes they show. Programs may register
// their own cursors under positive numbers.

#include <cstdint>
#include <functional>
#include <string>

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// Names both ways ("crHandPoint"); numbers without a name read and write as decimal text.
std::string CursorToString(TCursor cursor);
// Raises EConvertError for text that is neither a name nor a number.
TCursor StringToCursor(const std::string& text);
// Calls proc with every cursor name of the table, in the table's order.
void GetCursorValues(const std::function<void(const std::string&)>& proc);
