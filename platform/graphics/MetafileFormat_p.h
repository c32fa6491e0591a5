#pragma once
// The two metafile file formats, for the platform's metafile writers, reader and players: record
// numbers, the little-endian byte builder the writers fill, the checked byte reader the reader
// and players take records apart with, and the parsed form of a file (its kind, size and the
// records in order).

#include "platform/graphics/Types.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace metafile {

// A coordinate or size read from a file, kept to a range where sums and differences of two of
// them stay within int (files may hold any values; no picture is anywhere near this large).
inline int FileCoord(std::int32_t v) {
    return std::clamp(v, -(1 << 24), 1 << 24);
}

// ---- enhanced metafile records ---------------------------------------------------------------
constexpr std::uint32_t EMR_HEADER = 1;
constexpr std::uint32_t EMR_POLYBEZIER = 2;
constexpr std::uint32_t EMR_POLYGON = 3;
constexpr std::uint32_t EMR_POLYLINE = 4;
constexpr std::uint32_t EMR_POLYPOLYLINE = 7;
constexpr std::uint32_t EMR_POLYPOLYGON = 8;
constexpr std::uint32_t EMR_SETWINDOWEXTEX = 9;
constexpr std::uint32_t EMR_SETWINDOWORGEX = 10;
constexpr std::uint32_t EMR_SETVIEWPORTEXTEX = 11;
constexpr std::uint32_t EMR_SETVIEWPORTORGEX = 12;
constexpr std::uint32_t EMR_EOF = 14;
constexpr std::uint32_t EMR_SETPIXELV = 15;
constexpr std::uint32_t EMR_SETMAPMODE = 17;
constexpr std::uint32_t EMR_SETBKMODE = 18;
constexpr std::uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr std::uint32_t EMR_SETROP2 = 20;
constexpr std::uint32_t EMR_SETTEXTALIGN = 22;
constexpr std::uint32_t EMR_SETTEXTCOLOR = 24;
constexpr std::uint32_t EMR_SETBKCOLOR = 25;
constexpr std::uint32_t EMR_MOVETOEX = 27;
constexpr std::uint32_t EMR_INTERSECTCLIPRECT = 30;
constexpr std::uint32_t EMR_SAVEDC = 33;
constexpr std::uint32_t EMR_RESTOREDC = 34;
constexpr std::uint32_t EMR_SELECTOBJECT = 37;
constexpr std::uint32_t EMR_CREATEPEN = 38;
constexpr std::uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr std::uint32_t EMR_DELETEOBJECT = 40;
constexpr std::uint32_t EMR_ELLIPSE = 42;
constexpr std::uint32_t EMR_RECTANGLE = 43;
constexpr std::uint32_t EMR_ROUNDRECT = 44;
constexpr std::uint32_t EMR_ARC = 45;
constexpr std::uint32_t EMR_CHORD = 46;
constexpr std::uint32_t EMR_PIE = 47;
constexpr std::uint32_t EMR_EXTFLOODFILL = 53;
constexpr std::uint32_t EMR_LINETO = 54;
constexpr std::uint32_t EMR_ARCTO = 55;
constexpr std::uint32_t EMR_SETARCDIRECTION = 57;
constexpr std::uint32_t EMR_EXTSELECTCLIPRGN = 75;
constexpr std::uint32_t EMR_BITBLT = 76;
constexpr std::uint32_t EMR_STRETCHDIBITS = 81;
constexpr std::uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr std::uint32_t EMR_EXTTEXTOUTW = 84;
constexpr std::uint32_t EMR_POLYBEZIER16 = 85;
constexpr std::uint32_t EMR_POLYGON16 = 86;
constexpr std::uint32_t EMR_POLYLINE16 = 87;
constexpr std::uint32_t EMR_POLYPOLYLINE16 = 90;
constexpr std::uint32_t EMR_POLYPOLYGON16 = 91;
constexpr std::uint32_t EMR_CREATEDIBPATTERNBRUSHPT = 94;
constexpr std::uint32_t EMR_EXTCREATEPEN = 95;

constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kStockNullBrush = 5;
constexpr std::uint32_t kStockNullPen = 8;
constexpr std::uint32_t kStockBlackPen = 7;
constexpr std::uint32_t kStockWhiteBrush = 0;
constexpr std::uint32_t kStockBlackBrush = 4;
constexpr std::uint32_t kStockSystemFont = 13;

// ---- Windows metafile records ----------------------------------------------------------------
constexpr std::uint16_t META_EOF = 0x0000;
constexpr std::uint16_t META_SAVEDC = 0x001E;
constexpr std::uint16_t META_SETBKCOLOR = 0x0201;
constexpr std::uint16_t META_SETBKMODE = 0x0102;
constexpr std::uint16_t META_SETMAPMODE = 0x0103;
constexpr std::uint16_t META_SETROP2 = 0x0104;
constexpr std::uint16_t META_SETPOLYFILLMODE = 0x0106;
constexpr std::uint16_t META_SETTEXTCOLOR = 0x0209;
constexpr std::uint16_t META_SETWINDOWORG = 0x020B;
constexpr std::uint16_t META_SETWINDOWEXT = 0x020C;
constexpr std::uint16_t META_SETVIEWPORTORG = 0x020D;
constexpr std::uint16_t META_SETVIEWPORTEXT = 0x020E;
constexpr std::uint16_t META_LINETO = 0x0213;
constexpr std::uint16_t META_MOVETO = 0x0214;
constexpr std::uint16_t META_INTERSECTCLIPRECT = 0x0416;
constexpr std::uint16_t META_ARC = 0x0817;
constexpr std::uint16_t META_ELLIPSE = 0x0418;
constexpr std::uint16_t META_PIE = 0x081A;
constexpr std::uint16_t META_RECTANGLE = 0x041B;
constexpr std::uint16_t META_ROUNDRECT = 0x061C;
constexpr std::uint16_t META_PATBLT = 0x061D;
constexpr std::uint16_t META_SETPIXEL = 0x041F;
constexpr std::uint16_t META_POLYGON = 0x0324;
constexpr std::uint16_t META_POLYLINE = 0x0325;
constexpr std::uint16_t META_RESTOREDC = 0x0127;
constexpr std::uint16_t META_SELECTOBJECT = 0x012D;
constexpr std::uint16_t META_SETTEXTALIGN = 0x012E;
constexpr std::uint16_t META_CHORD = 0x0830;
constexpr std::uint16_t META_EXTTEXTOUT = 0x0A32;
constexpr std::uint16_t META_POLYPOLYGON = 0x0538;
constexpr std::uint16_t META_EXTFLOODFILL = 0x0548;
constexpr std::uint16_t META_DELETEOBJECT = 0x01F0;
constexpr std::uint16_t META_CREATEPENINDIRECT = 0x02FA;
constexpr std::uint16_t META_CREATEFONTINDIRECT = 0x02FB;
constexpr std::uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;
constexpr std::uint16_t META_DIBCREATEPATTERNBRUSH = 0x0142;
constexpr std::uint16_t META_STRETCHDIB = 0x0F43;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

// Raster operations of blits.
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;

// Pen styles, end caps, joins and kinds.
constexpr std::uint32_t PS_NULL = 5;
constexpr std::uint32_t PS_USERSTYLE = 7;
constexpr std::uint32_t PS_STYLE_MASK = 0xF;
constexpr std::uint32_t PS_ENDCAP_SQUARE = 0x100;
constexpr std::uint32_t PS_ENDCAP_FLAT = 0x200;
constexpr std::uint32_t PS_ENDCAP_MASK = 0xF00;
constexpr std::uint32_t PS_JOIN_BEVEL = 0x1000;
constexpr std::uint32_t PS_JOIN_MITER = 0x2000;
constexpr std::uint32_t PS_JOIN_MASK = 0xF000;
constexpr std::uint32_t PS_GEOMETRIC = 0x10000;

// Brush styles.
constexpr std::uint32_t BS_SOLID = 0;
constexpr std::uint32_t BS_NULL = 1;
constexpr std::uint32_t BS_HATCHED = 2;
constexpr std::uint32_t BS_DIBPATTERNPT = 6;

// Clip region combinations.
constexpr std::uint32_t kRgnAnd = 1;
constexpr std::uint32_t kRgnCopy = 5;

// ---- building records ------------------------------------------------------------------------

// Little-endian bytes, appended.
class TByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void I16(int v) { U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(bits);
    }
    void Bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // Pads with zeros to a multiple of n bytes.
    void Align(std::size_t n) {
        while (bytes_.size() % n != 0)
            bytes_.push_back(0);
    }
    void RectL(const TRect& r) {
        I32(r.Left);
        I32(r.Top);
        I32(r.Right);
        I32(r.Bottom);
    }
    void PutU16At(std::size_t at, std::uint16_t v) {
        bytes_[at] = static_cast<std::uint8_t>(v);
        bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void PutU32At(std::size_t at, std::uint32_t v) {
        PutU16At(at, static_cast<std::uint16_t>(v));
        PutU16At(at + 2, static_cast<std::uint16_t>(v >> 16));
    }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& Data() { return bytes_; }
    const std::vector<std::uint8_t>& Data() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// ---- reading records -------------------------------------------------------------------------

// Reads little-endian values from a byte range; reading past its end raises EInvalidGraphic.
class TByteReader {
public:
    TByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t U8();
    std::uint16_t U16();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float F32();
    TRect RectL();
    // Moves to an offset from the start of the range.
    void Seek(std::size_t at);
    void Skip(std::size_t count) { Seek(pos_ + count); }
    // The bytes [at, at + count) of the range, checked.
    const std::uint8_t* At(std::size_t at, std::size_t count) const;
    std::size_t Pos() const { return pos_; }
    std::size_t Size() const { return size_; }

private:
    void Need(std::size_t count) const;

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// One record of a file: its type and its whole bytes (the type and size fields included).
struct TRecord {
    std::uint32_t type = 0;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    TByteReader Reader() const { return TByteReader(data, size); }
};

// A file checked and cut into records. Every record lies inside the file, its size covers its
// own header, an enhanced metafile's sizes are multiples of 4 and the file ends with its end
// record.
struct TParsedFile {
    bool enhanced = true;
    // The picture's size in pixels at 96 dots per inch and its frame in 0.01 mm.
    int width = 0;
    int height = 0;
    int mmWidth = 0;
    int mmHeight = 0;
    // The logical rectangle the picture covers (an enhanced file's frame in its device pixels, a
    // placeable file's bounding box; else empty until the records set a window).
    TRect bounds;
    int unitsPerInch = 96;
    std::vector<TRecord> records;
};

// Raises EInvalidGraphic for data that is neither kind, or does not hold together.
TParsedFile ParseMetafile(const std::vector<std::uint8_t>& data);

// A bottom-up device-independent bitmap of 24 bits per pixel: the 40-byte header, then the rows.
std::vector<std::uint8_t> DibOf(const std::vector<std::uint32_t>& argb, int width, int height);

} // namespace metafile
