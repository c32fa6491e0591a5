// The metafile player's shared part: mapping the file's coordinates into the target rectangle,
// the object table, the device state and its saving, clipping, and embedded bitmaps.

#include "platform/graphics/MetafilePlayer_p.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Region_p.h"
#include "platform/rtl/CodePage.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <optional>

namespace metafile {

namespace {

// Rounds to a pixel, saturating so that numbers from outside never overflow.
int Pixel(double v) {
    // Far beyond any surface, and differences of two stay within int.
    constexpr double limit = 268435456.0;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::lround(std::clamp(v, -limit, limit)));
}

// Bitmaps larger than this are passed over.
constexpr std::int64_t kMaxBitmapPixels = 16 * 1024 * 1024;

constexpr TPenMode kPenModeOfRop2[] = {
    pmCopy,        pmBlack, pmNotMerge,    pmMaskNotPen, pmNotCopy, pmMaskPenNot,
    pmNot,         pmXor,   pmNotMask,     pmMask,       pmNotXor,  pmNop,
    pmMergeNotPen, pmCopy,  pmMergePenNot, pmMerge,      pmWhite};

} // namespace

TMetafilePlayer::TMetafilePlayer(TCanvas& canvas, const TParsedFile& file, const TRect& target)
    : canvas_(canvas), file_(file), target_(target) {
    pen_.Assign(*canvas.Pen());
    brush_.Assign(*canvas.Brush());
    font_.Assign(*canvas.Font());
    canvasSaved_ = canvas.SaveDC();
}

TMetafilePlayer::~TMetafilePlayer() {
    canvas_.RestoreDC(canvasSaved_);
    canvas_.Pen()->Assign(pen_);
    canvas_.Brush()->Assign(brush_);
    canvas_.Font()->Assign(font_);
}

void TMetafilePlayer::Play() {
    if (target_.IsEmpty() || file_.bounds.IsEmpty() || file_.records.empty())
        return;
    canvas_.IntersectClipRect(target_);
    UpdateMapping();
    for (const TRecord& record : file_.records) {
        try {
            file_.enhanced ? PlayEmf(record) : PlayWmf(record);
        } catch (const EInvalidGraphic&) {
            // A record whose data do not fit draws nothing; the rest still plays.
        }
    }
}

// ---- mapping ------------------------------------------------------------------------------------

void TMetafilePlayer::UpdateMapping() {
    const TDeviceState& s = state_;
    // Logical to the file's device: x * dx + ex.
    double dx = 1, ex = 0, dy = 1, ey = 0;
    const TRect& b = file_.bounds;
    if (file_.enhanced) {
        if ((s.mapMode == 7 || s.mapMode == 8) && s.windowExtX != 0 && s.windowExtY != 0) {
            dx = s.viewportExtX / s.windowExtX;
            dy = s.viewportExtY / s.windowExtY;
            if (s.mapMode == 7) { // isotropic: the smaller scale both ways, signs kept
                const double k = std::min(std::abs(dx), std::abs(dy));
                dx = std::copysign(k, dx);
                dy = std::copysign(k, dy);
            }
        }
        ex = s.viewportOrgX - s.windowOrgX * dx;
        ey = s.viewportOrgY - s.windowOrgY * dy;
    } else if (s.windowSet && s.windowExtX != 0 && s.windowExtY != 0) {
        // The window is the picture: it maps onto the bounds.
        dx = b.Width() / s.windowExtX;
        dy = b.Height() / s.windowExtY;
        ex = b.Left - s.windowOrgX * dx;
        ey = b.Top - s.windowOrgY * dy;
    }
    const double kx = static_cast<double>(target_.Width()) / b.Width();
    const double ky = static_cast<double>(target_.Height()) / b.Height();
    ax_ = dx * kx;
    bx_ = target_.Left + (ex - b.Left) * kx;
    ay_ = dy * ky;
    by_ = target_.Top + (ey - b.Top) * ky;
}

TPoint TMetafilePlayer::Map(double x, double y) const {
    return {Pixel(x * ax_ + bx_), Pixel(y * ay_ + by_)};
}

TRect TMetafilePlayer::MapRect(const TRect& r) const {
    const TPoint a = Map(r.Left, r.Top), b = Map(r.Right, r.Bottom);
    return {a.X, a.Y, b.X, b.Y};
}

int TMetafilePlayer::MapWidth(double w) const {
    return Pixel(w * std::abs(ax_));
}

int TMetafilePlayer::MapHeight(double h) const {
    return Pixel(h * std::abs(ay_));
}

// ---- objects ------------------------------------------------------------------------------------

TMetafilePlayer::TObjectEntry* TMetafilePlayer::Object(std::uint32_t handle) {
    return handle < objects_.size() ? &objects_[handle] : nullptr;
}

void TMetafilePlayer::SetObject(std::uint32_t handle, TObjectEntry object) {
    // Handles come from outside: a table of more than 65536 objects is not taken.
    if (handle > 0xFFFF)
        return;
    if (handle >= objects_.size())
        objects_.resize(handle + 1);
    objects_[handle] = std::move(object);
}

void TMetafilePlayer::AddObject(TObjectEntry object) {
    auto it = std::find_if(objects_.begin(), objects_.end(), [](const TObjectEntry& e) {
        return std::holds_alternative<std::monostate>(e);
    });
    const auto handle = static_cast<std::uint32_t>(it - objects_.begin());
    SetObject(handle, std::move(object));
}

void TMetafilePlayer::DeleteObject(std::uint32_t handle) {
    if (TObjectEntry* e = Object(handle))
        *e = std::monostate{};
}

void TMetafilePlayer::SelectObject(std::uint32_t handle) {
    if (handle & kStockObject) {
        SelectStock(handle & ~kStockObject);
        return;
    }
    TObjectEntry* e = Object(handle);
    if (e == nullptr)
        return;
    if (auto* pen = std::get_if<TPenObject>(e))
        state_.pen = *pen;
    else if (auto* brush = std::get_if<TBrushObject>(e))
        state_.brush = *brush;
    else if (auto* font = std::get_if<TFontObject>(e))
        state_.font = *font;
}

void TMetafilePlayer::SelectStock(std::uint32_t index) {
    static constexpr TColor kBrushes[] = {clWhite, 0xC0C0C0, 0x808080, 0x404040, clBlack};
    if (index < 5)
        state_.brush = TBrushObject{BS_SOLID, kBrushes[index], 0, nullptr};
    else if (index == kStockNullBrush)
        state_.brush = TBrushObject{BS_NULL, clBlack, 0, nullptr};
    else if (index == 6 || index == kStockBlackPen)
        state_.pen = TPenObject{0, 1, index == 6 ? clWhite : clBlack, {}};
    else if (index == kStockNullPen)
        state_.pen = TPenObject{PS_NULL, 1, clBlack, {}};
    else if (index >= 10 && index <= 17)
        state_.font.reset();
}

// ---- the canvas ---------------------------------------------------------------------------------

void TMetafilePlayer::Prepare(bool pen, bool brush, bool font) {
    if (pen) {
        const TPenObject p = state_.pen.value_or(TPenObject{});
        TPen& c = *canvas_.Pen();
        const std::uint32_t style = p.style & PS_STYLE_MASK;
        c.SetStyle(style <= psAlternate ? static_cast<TPenStyle>(style) : psSolid);
        c.SetColor(p.color);
        // Widths from a file are kept to what a pen can be drawn with.
        constexpr int kWidestPen = 32767;
        c.SetWidth(std::clamp(MapWidth(p.width), p.width > 0 ? 1 : 0, kWidestPen));
        // The older format has no geometric flag: a wide pen with its own line ends is one.
        c.SetGeometric(
            (p.style & PS_GEOMETRIC) != 0 ||
            (!file_.enhanced && p.width > 1 && (p.style & (PS_ENDCAP_MASK | PS_JOIN_MASK)) != 0));
        const std::uint32_t cap = p.style & PS_ENDCAP_MASK, join = p.style & PS_JOIN_MASK;
        c.SetEndCap(cap == PS_ENDCAP_SQUARE ? pecSquare
                    : cap == PS_ENDCAP_FLAT ? pecFlat
                                            : pecRound);
        c.SetJoinStyle(join == PS_JOIN_BEVEL   ? pjsBevel
                       : join == PS_JOIN_MITER ? pjsMiter
                                               : pjsRound);
        c.SetUserDashes(p.dashes);
        const int rop = state_.rop2 >= 1 && state_.rop2 <= 16 ? state_.rop2 : R2_COPYPEN;
        c.SetMode(kPenModeOfRop2[rop]);
    }
    if (brush) {
        const TBrushObject b = state_.brush.value_or(TBrushObject{BS_SOLID, clWhite, 0, nullptr});
        TBrush& c = *canvas_.Brush();
        pattern_ = b.pattern;
        c.SetBitmap(b.style == BS_DIBPATTERNPT ? pattern_.get() : nullptr);
        c.SetColor(b.color);
        c.SetStyle(b.style == BS_NULL ? bsClear
                   : b.style == BS_HATCHED
                       ? static_cast<TBrushStyle>(bsHorizontal + std::min(b.hatch, 5u))
                       : bsSolid);
    }
    if (font) {
        TFont& c = *canvas_.Font();
        if (state_.font) {
            const TFontObject& f = *state_.font;
            c.SetName(f.face.empty() ? "Arial" : f.face);
            c.SetHeight(f.height < 0 ? -MapHeight(-f.height) : MapHeight(f.height));
            c.SetOrientation(f.escapement);
            TFontStyles styles;
            if (f.weight >= 600)
                styles.Include(fsBold);
            if (f.italic)
                styles.Include(fsItalic);
            if (f.underline)
                styles.Include(fsUnderline);
            if (f.strikeOut)
                styles.Include(fsStrikeOut);
            c.SetStyle(styles);
            c.SetCharset(static_cast<TFontCharset>(f.charset));
            c.SetQuality(f.quality <= fqClearTypeNatural ? static_cast<TFontQuality>(f.quality)
                                                         : fqDefault);
        } else {
            c.Assign(font_);
        }
        c.SetColor(state_.textColor);
        canvas_.SetTextAlign(state_.textAlign);
    }
    canvas_.SelectBrush();
    canvas_.SetBkMode(state_.bkMode == TRANSPARENT ? TRANSPARENT : OPAQUE);
    canvas_.SetBkColor(state_.bkColor);
    canvas_.SetPolyFillMode(state_.polyFillMode == WINDING ? WINDING : ALTERNATE);
    canvas_.SetArcDirection(state_.arcDirection == AD_CLOCKWISE ? AD_CLOCKWISE
                                                                : AD_COUNTERCLOCKWISE);
}

void TMetafilePlayer::SaveDC() {
    if (saved_.size() >= 1024)
        return;
    saved_.push_back(state_);
    canvas_.SaveDC();
}

void TMetafilePlayer::RestoreDC(int which) {
    // Relative (-1 the last) or absolute (1 the first) among the file's own saves.
    const int count = static_cast<int>(saved_.size());
    const int keep = which < 0 ? count + which : which - 1;
    if (keep < 0 || keep >= count)
        return;
    state_ = saved_[static_cast<std::size_t>(keep)];
    saved_.resize(static_cast<std::size_t>(keep));
    canvas_.RestoreDC(canvasSaved_ + keep + 1);
    UpdateMapping();
}

void TMetafilePlayer::IntersectClip(const TRect& logical) {
    TRect r = MapRect(logical);
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    canvas_.IntersectClipRect(r);
}

void TMetafilePlayer::SelectClip(const std::vector<TRect>& rects, bool copy) {
    // Regions are in the canvas's device pixels: the file's device pixels mapped, then shifted by
    // the canvas's viewport origin; always within the target.
    const TPoint origin = canvas_.ViewportOrigin();
    const double kx = static_cast<double>(target_.Width()) / file_.bounds.Width();
    const double ky = static_cast<double>(target_.Height()) / file_.bounds.Height();
    TRegion region;
    for (const TRect& r : rects) {
        const TRect m{Pixel(target_.Left + (r.Left - file_.bounds.Left) * kx) + origin.X,
                      Pixel(target_.Top + (r.Top - file_.bounds.Top) * ky) + origin.Y,
                      Pixel(target_.Left + (r.Right - file_.bounds.Left) * kx) + origin.X,
                      Pixel(target_.Top + (r.Bottom - file_.bounds.Top) * ky) + origin.Y};
        region.Combine(TRegion(m), RGN_OR);
    }
    TRegion whole(TRect{target_.Left + origin.X, target_.Top + origin.Y, target_.Right + origin.X,
                        target_.Bottom + origin.Y});
    if (copy) {
        if (rects.empty())
            region = whole;
        else
            region.Combine(whole, RGN_AND);
        canvas_.ExtSelectClipRegion(&region, RGN_COPY);
    } else {
        canvas_.ExtSelectClipRegion(&region, RGN_AND);
    }
}

// ---- bitmaps ------------------------------------------------------------------------------------

namespace {

// The fields of a bitmap's information header that decoding needs.
struct TDibHeader {
    std::uint32_t size = 0;
    int width = 0;
    int height = 0; // the number of rows, whichever way they run
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
};

// Reads a core (12-byte) or an information (40 bytes or more) header; nothing for another kind,
// or for a bitmap that is empty, too large or in a form not decoded (compressed, odd depths).
std::optional<TDibHeader> ReadDibHeader(TByteReader& in) {
    TDibHeader h;
    h.size = in.U32();
    if (h.size == 12) {
        h.width = in.U16();
        h.height = in.I16();
        in.U16();
        h.bitCount = in.U16();
    } else if (h.size >= 40) {
        h.width = in.I32();
        h.height = in.I32();
        in.U16();
        h.bitCount = in.U16();
        h.compression = in.U32();
        in.Skip(12);
        h.colorsUsed = in.U32();
    } else {
        return std::nullopt;
    }
    h.topDown = h.height < 0;
    h.height = h.height == INT32_MIN ? 0 : std::abs(h.height);
    if (h.width <= 0 || h.height <= 0 || std::int64_t{h.width} * h.height > kMaxBitmapPixels ||
        (h.compression != 0 && h.compression != 3) ||
        (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
         h.bitCount != 24 && h.bitCount != 32))
        return std::nullopt;
    return h;
}

// The colour table after the header (empty for bitmaps of more than 8 bits a pixel).
std::vector<QRgb> ReadDibPalette(TByteReader& in, const TDibHeader& h) {
    std::vector<QRgb> palette;
    if (h.bitCount > 8)
        return palette;
    const std::uint32_t count =
        h.colorsUsed != 0 ? std::min(h.colorsUsed, 1u << h.bitCount) : 1u << h.bitCount;
    const std::size_t entry = h.size == 12 ? 3 : 4;
    in.Seek(h.size);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* p = in.At(in.Pos(), entry);
        palette.push_back(qRgb(p[2], p[1], p[0]));
        in.Skip(entry);
    }
    return palette;
}

// One row of bits to pixels; an index past the colour table is black.
void DecodeDibRow(const std::uint8_t* row, int width, int bitCount,
                  const std::vector<QRgb>& palette, QRgb* out) {
    for (int x = 0; x < width; ++x) {
        std::uint32_t index = 0;
        switch (bitCount) {
        case 1:
            index = row[x / 8] >> (7 - x % 8) & 1;
            break;
        case 4:
            index = row[x / 2] >> (x % 2 ? 0 : 4) & 0xF;
            break;
        case 8:
            index = row[x];
            break;
        case 16: {
            const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
            out[x] = qRgb((v >> 10 & 31) * 255 / 31, (v >> 5 & 31) * 255 / 31, (v & 31) * 255 / 31);
            continue;
        }
        default: {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * (bitCount / 8);
            out[x] = qRgb(p[2], p[1], p[0]);
            continue;
        }
        }
        out[x] = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
    }
}

} // namespace

std::shared_ptr<TBitmap> TMetafilePlayer::DecodeDib(const std::uint8_t* info, std::size_t infoSize,
                                                    const std::uint8_t* bits,
                                                    std::size_t bitsSize) {
    TByteReader in(info, infoSize);
    const std::optional<TDibHeader> header = ReadDibHeader(in);
    if (!header)
        return nullptr;
    const TDibHeader& h = *header;
    const std::vector<QRgb> palette = ReadDibPalette(in, h);
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    if (bits == nullptr || stride * static_cast<std::size_t>(h.height) > bitsSize)
        return nullptr;
    QImage image(h.width, h.height, QImage::Format_RGB32);
    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* row =
            bits + stride * static_cast<std::size_t>(h.topDown ? y : h.height - 1 - y);
        DecodeDibRow(row, h.width, h.bitCount, palette, reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    auto bitmap = std::make_shared<TBitmap>();
    TGraphicsQt::SetImage(*bitmap, image);
    return bitmap;
}

std::shared_ptr<TBitmap> TMetafilePlayer::DecodePackedDib(const std::uint8_t* dib,
                                                          std::size_t size) {
    TByteReader in(dib, size);
    const std::uint32_t headerSize = in.U32();
    std::size_t colors = 0;
    if (headerSize >= 40) {
        in.Skip(10);
        const int bitCount = in.U16();
        const std::uint32_t compression = in.U32();
        in.Skip(12);
        const std::uint32_t used = in.U32();
        if (bitCount <= 8)
            colors = used != 0 ? std::min<std::size_t>(used, std::size_t{1} << bitCount)
                               : std::size_t{1} << bitCount;
        colors = colors * 4 + (compression == 3 ? 12 : 0);
    } else if (headerSize == 12) {
        in.Skip(6);
        const int bitCount = in.U16();
        colors = bitCount <= 8 ? (std::size_t{1} << bitCount) * 3 : 0;
    } else {
        return nullptr;
    }
    const std::size_t infoSize = headerSize + colors;
    if (infoSize > size)
        return nullptr;
    return DecodeDib(dib, infoSize, dib + infoSize, size - infoSize);
}

void TMetafilePlayer::DrawPackedBitmap(const TRect& dest, const TRect& src, const std::uint8_t* dib,
                                       std::size_t size, std::uint32_t rop) {
    StretchBitmap(dest, src, DecodePackedDib(dib, size), rop);
}

void TMetafilePlayer::DrawBitmap(const TRect& dest, const TRect& src, const std::uint8_t* info,
                                 std::size_t infoSize, const std::uint8_t* bits,
                                 std::size_t bitsSize, std::uint32_t rop) {
    StretchBitmap(dest, src, DecodeDib(info, infoSize, bits, bitsSize), rop);
}

void TMetafilePlayer::StretchBitmap(const TRect& dest, const TRect& src,
                                    const std::shared_ptr<TBitmap>& bitmap, std::uint32_t rop) {
    if (!bitmap)
        return;
    TRect d = MapRect(dest);
    TRect s = src;
    const int bw = bitmap->Width(), bh = bitmap->Height();
    if (s.Width() > 0 && s.Height() > 0) {
        // Only the part of the source inside the bitmap is copied, to the matching part of the
        // target (a file may name a source far larger than its bitmap).
        const TRect inside{std::max(s.Left, 0), std::max(s.Top, 0), std::min(s.Right, bw),
                           std::min(s.Bottom, bh)};
        if (inside.Right <= inside.Left || inside.Bottom <= inside.Top)
            return;
        const double fx = static_cast<double>(d.Width()) / s.Width();
        const double fy = static_cast<double>(d.Height()) / s.Height();
        d = {d.Left + Pixel((inside.Left - s.Left) * fx), d.Top + Pixel((inside.Top - s.Top) * fy),
             d.Left + Pixel((inside.Right - s.Left) * fx),
             d.Top + Pixel((inside.Bottom - s.Top) * fy)};
        s = inside;
    } else if (std::abs(s.Width()) > bw || std::abs(s.Height()) > bh) {
        return; // a mirrored source beyond the bitmap
    }
    Prepare(false, true);
    canvas_.StretchBlt(d.Left, d.Top, d.Width(), d.Height(), bitmap->Canvas(), s.Left, s.Top,
                       s.Width(), s.Height(), rop);
}

} // namespace metafile
