#pragma once
// The errors of the PNG codec: one class per failure, each raised with its one fixed text.

#include "platform/rtl/Exception.h"

#include <string>

Q4_EXCEPTION(EPNGOutMemory, Exception);
Q4_EXCEPTION(EPngError, Exception);
Q4_EXCEPTION(EPngUnexpectedEnd, Exception);
Q4_EXCEPTION(EPngInvalidCRC, Exception);
Q4_EXCEPTION(EPngInvalidIHDR, Exception);
Q4_EXCEPTION(EPNGMissingMultipleIDAT, Exception);
Q4_EXCEPTION(EPNGZLIBError, Exception);
Q4_EXCEPTION(EPNGInvalidPalette, Exception);
Q4_EXCEPTION(EPNGInvalidFileHeader, Exception);
Q4_EXCEPTION(EPNGIHDRNotFirst, Exception);
Q4_EXCEPTION(EPNGSizeExceeds, Exception);
Q4_EXCEPTION(EPNGUnknownCriticalChunk, Exception);
Q4_EXCEPTION(EPNGUnknownCompression, Exception);
Q4_EXCEPTION(EPNGUnknownInterlace, Exception);
Q4_EXCEPTION(EPNGNoImageData, Exception);
Q4_EXCEPTION(EPNGHeaderNotPresent, Exception);
Q4_EXCEPTION(EPNGInvalidNewSize, Exception);

namespace pngtext {

inline constexpr const char* OutMemory =
    "Some operation could not be performed because the system is out of resources. Close some "
    "windows and try again.";
inline constexpr const char* NoSuchPaletteEntry = "There is no such palette entry.";
inline constexpr const char* IncompatibleChunks = "The chunks must be compatible to be assigned.";
inline constexpr const char* UnexpectedEnd =
    "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected "
    "end of the file.";
inline constexpr const char* InvalidCRC =
    "This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of "
    "data (crc error)";
inline constexpr const char* InvalidIHDR =
    "The \"Portable Network Graphics\" image could not be loaded because one of its main piece of "
    "data (ihdr) might be corrupted";
inline constexpr const char* MissingMultipleIDAT =
    "This \"Portable Network Graphics\" image is invalid because it has missing image parts.";
inline constexpr const char* ZlibError =
    "Could not decompress the image because it contains invalid compressed data.\r\n Description: ";
inline constexpr const char* InvalidPalette =
    "The \"Portable Network Graphics\" image contains an invalid palette.";
inline constexpr const char* InvalidFileHeader =
    "The file being readed is not a valid \"Portable Network Graphics\" image because it contains "
    "an invalid header. This file may be corruped, try obtaining it again.";
inline constexpr const char* IHDRNotFirst =
    "This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR "
    "chunk is not the first)";
inline constexpr const char* SizeExceeds =
    "This \"Portable Network Graphics\" image is not supported because either it's width or height "
    "exceeds the maximum size, which is 65535 pixels length.";
inline constexpr const char* UnknownCriticalChunk =
    "This \"Portable Network Graphics\" image contains an unknown critical part which could not be "
    "decoded.";
inline constexpr const char* UnknownCompression =
    "This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which "
    "could not be decoded.";
inline constexpr const char* UnknownInterlace =
    "This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be "
    "decoded.";
inline constexpr const char* NoImageData =
    "This \"Portable Network Graphics\" image contains no data.";
inline constexpr const char* HeaderNotPresent =
    "This operation is not valid because the current image contains no valid header.";
inline constexpr const char* InvalidNewSize =
    "The new size provided for image resizing is invalid.";

} // namespace pngtext

// The compression library's text for one of its return codes ("data error (-3)"); "" for a code
// it does not have.
std::string ZlibErrorText(int code);

// Raises EPNGZLIBError carrying the compression library's text for code.
[[noreturn]] void RaiseZlibError(int code);
