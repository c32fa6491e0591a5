#pragma once
// The names of the picture types of the drawing group's picture store, by type.

#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 8> kPictureTypeNames = {
    "ERROR", "UNKNOWN", "EMF", "WMF", "PICT", "JPEG", "PNG", "BMP"};
