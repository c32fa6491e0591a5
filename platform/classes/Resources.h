#pragma once
// Data built into the program: form descriptions, bitmaps, cursors and data files, found by
// name and type and read as streams.
//
// A resource is a file added to a target with q4_add_resources (Resources.cmake):
//
//     include(${PROJECT_SOURCE_DIR}/platform/classes/Resources.cmake)
//     q4_add_resources(quorvan4 TYPE RCDATA FILES forms/TdlgConnect.txt)
//
// which stores it under its file name without the extension. Names and types are matched
// ignoring case.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <string>
#include <string_view>

Q4_EXCEPTION(EResNotFound, Exception);

// The usual resource types.
inline constexpr const char* RT_RCDATA = "RCDATA"; // form descriptions and raw data
inline constexpr const char* RT_BITMAP = "BITMAP";
inline constexpr const char* RT_CURSOR = "CURSOR";

// Where the resource lives in the program ":/q4/<TYPE>/<NAME>".
std::string ResourcePath(std::string_view name, std::string_view type);
bool FindResource(std::string_view name, std::string_view type);
// The resource's bytes; raises EResNotFound "Resource NAME not found".
std::string LoadResourceBytes(std::string_view name, std::string_view type);

// A resource read as a memory stream.
class TResourceStream : public TMemoryStream {
public:
    TResourceStream(std::string_view name, std::string_view type);
};
