// Playing a metafile's records onto a canvas, stretched into a rectangle and clipped to it. The
// player keeps the file's objects and device state and hands each drawing to the canvas with the
// state it needs; records it does not know are passed over. The canvas's own state is as it was
// afterwards.
#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/MetafileFormat_p.h"

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace metafile {

class TMetafilePlayer {
public:
    TMetafilePlayer(TCanvas& canvas, const TParsedFile& file, const TRect& target);
    ~TMetafilePlayer();
    TMetafilePlayer(const TMetafilePlayer&) = delete;
    TMetafilePlayer& operator=(const TMetafilePlayer&) = delete;
    void Play();

private:
    struct TPenObject {
        std::uint32_t style = 0;
        int width = 1;
        TColor color = clBlack;
        std::vector<int> dashes;
    };
    struct TBrushObject {
        std::uint32_t style = 0;
        TColor color = clBlack;
        std::uint32_t hatch = 0;
        std::shared_ptr<TBitmap> pattern;
    };
    struct TFontObject {
        int height = 0;
        int escapement = 0;
        int weight = 400;
        bool italic = false, underline = false, strikeOut = false;
        std::uint8_t charset = 1;
        std::uint8_t quality = 0;
        std::string face;
    };
    // An object of a kind the player does not use (a palette, a region) still takes its slot.
    struct TOtherObject {};
    using TObjectEntry =
        std::variant<std::monostate, TPenObject, TBrushObject, TFontObject, TOtherObject>;
    // The device state that SaveDC keeps.
    struct TDeviceState {
        std::optional<TPenObject> pen;
        std::optional<TBrushObject> brush;
        std::optional<TFontObject> font;
        int bkMode = OPAQUE;
        TColor bkColor = clWhite;
        TColor textColor = clBlack;
        unsigned textAlign = 0;
        int rop2 = R2_COPYPEN;
        int polyFillMode = ALTERNATE;
        int arcDirection = AD_COUNTERCLOCKWISE;
        int mapMode = 1;
        double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
        double viewportOrgX = 0, viewportOrgY = 0, viewportExtX = 1, viewportExtY = 1;
        bool windowSet = false;
    };

    // ---- the enhanced records (EmfPlayer.cpp) -----------------------------------------------
    void PlayEmf(const TRecord& record);
    bool EmfState(std::uint32_t type, TByteReader& in);
    bool EmfObject(std::uint32_t type, TByteReader& in, const TRecord& record);
    bool EmfShape(std::uint32_t type, TByteReader& in);
    bool EmfPoly(std::uint32_t type, TByteReader& in);
    void EmfText(TByteReader& in);
    void EmfBitmap(std::uint32_t type, TByteReader& in);
    void EmfClipRegion(TByteReader& in);

    // ---- the Windows records (WmfPlayer.cpp) ------------------------------------------------
    void PlayWmf(const TRecord& record);
    bool WmfState(std::uint16_t function, TByteReader& in);
    bool WmfObject(std::uint16_t function, TByteReader& in);
    // Lines, rectangles, ellipses and arcs.
    bool WmfShape(std::uint16_t function, TByteReader& in);
    bool WmfPoly(std::uint16_t function, TByteReader& in);
    // Single pixels and flood fills.
    bool WmfPixel(std::uint16_t function, TByteReader& in);
    void WmfText(std::uint16_t function, TByteReader& in);
    void WmfBitmap(std::uint16_t function, TByteReader& in);
    // A new object takes the lowest free slot.
    void AddObject(TObjectEntry object);

    // ---- shared ---------------------------------------------------------------------------------
    TPoint Map(double x, double y) const;
    TRect MapRect(const TRect& r) const;
    int MapWidth(double w) const;
    int MapHeight(double h) const;
    void UpdateMapping();
    // The entry at handle, or null for a handle out of the table.
    TObjectEntry* Object(std::uint32_t handle);
    void SelectObject(std::uint32_t handle);
    void SelectStock(std::uint32_t index);
    void SetObject(std::uint32_t handle, TObjectEntry object);
    void DeleteObject(std::uint32_t handle);
    // Brings the canvas's pen, brush, font and device state in step before a drawing.
    void Prepare(bool pen, bool brush, bool font = false);
    void SaveDC();
    void RestoreDC(int which);
    void IntersectClip(const TRect& logical);
    // rects in the file's device pixels; none resets the clip to the target.
    void SelectClip(const std::vector<TRect>& rects, bool copy);
    void DrawBitmap(const TRect& dest, const TRect& src, const std::uint8_t* info,
                    std::size_t infoSize, const std::uint8_t* bits, std::size_t bitsSize,
                    std::uint32_t rop);

    // A packed bitmap (header, colours, pixels in one block) drawn or made a pattern.
    void DrawPackedBitmap(const TRect& dest, const TRect& src, const std::uint8_t* dib,
                          std::size_t size, std::uint32_t rop);
    // The bitmap (nothing when null) stretched from src into dest.
    void StretchBitmap(const TRect& dest, const TRect& src, const std::shared_ptr<TBitmap>& bitmap,
                       std::uint32_t rop);
    static std::shared_ptr<TBitmap> DecodePackedDib(const std::uint8_t* dib, std::size_t size);
    static std::shared_ptr<TBitmap> DecodeDib(const std::uint8_t* info, std::size_t infoSize,
                                              const std::uint8_t* bits, std::size_t bitsSize);

    TCanvas& canvas_;
    const TParsedFile& file_;
    TRect target_;
    TDeviceState state_;
    std::vector<TDeviceState> saved_;
    std::vector<TObjectEntry> objects_;
    double ax_ = 1, bx_ = 0, ay_ = 1, by_ = 0;
    int canvasSaved_ = 0;
    // The canvas's own attributes, given back at the end.
    TPen pen_;
    TBrush brush_;
    TFont font_;
    std::shared_ptr<TBitmap> pattern_; // the pattern the canvas's brush holds
};

} // namespace metafile
