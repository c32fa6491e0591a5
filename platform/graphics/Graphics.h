#pragma once
// Fonts, pens and brushes: the drawing attributes a canvas uses. Each tells its listeners when it
// changes, so that a canvas realises it again before the next primitive and a control repaints.

#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Color.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/FontCharsets.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class QFont;

// The type records of colour and character-set properties: integers that descriptions write by
// name where one exists ("clBtnFace", "RUSSIAN_CHARSET").
const TTypeInfo* TColorTypeInfo();
const TTypeInfo* TFontCharsetTypeInfo();

// The base of every drawing attribute: change notification and a shared update bracket.
class TGraphicsObject : public TPersistent {
    Q4_CLASS(TGraphicsObject, TPersistent)
public:
    TGraphicsObject() = default;

    TNotifyEvent OnChange;

    // Changes between BeginUpdate and EndUpdate fire one change notice at the end.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

protected:
    virtual void Changed();

private:
    int updateCount_ = 0;
    bool pending_ = false;
};

// ---- Fonts ------------------------------------------------------------------------------------

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
Q4_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
Q4_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed");

// Rendering quality; only the antialiased kinds smooth the glyph edges.
enum TFontQuality : std::uint8_t {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};
Q4_ENUM_NAMES(TFontQuality, "fqDefault", "fqDraft", "fqProof", "fqNonAntialiased", "fqAntialiased",
              "fqClearType", "fqClearTypeNatural");

// Screen resolution every font size is converted with.
constexpr int ScreenPixelsPerInch = 96;

// The installed font drawn for a font name the forms use ("Arial" -> "Liberation Sans"); other
// names are returned unchanged.
std::string SubstituteFontName(const std::string& name);

class TFont : public TGraphicsObject {
    Q4_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    ~TFont() override;

    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    void Assign(const TFont& source);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Height in pixels: negative is the character height, positive the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Size in points, converted through PixelsPerInch.
    int Size() const;
    void SetSize(int size);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    // Angle of the text line in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths);
    TFontQuality Quality() const { return quality_; }
    void SetQuality(TFontQuality quality);

    // Counts the changes that alter the realised font (not its colour or angle).
    unsigned Generation() const { return generation_; }

protected:
    void Changed() override;

private:
    friend struct TGraphicsQt; // the platform's Qt side (GraphicsQt_p.h)
    // The realised font at 96 dots per inch (kept until the next change).
    const QFont& QtFont() const;

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int pixelsPerInch_ = ScreenPixelsPerInch;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
    TFontQuality quality_ = fqDefault;
    mutable std::unique_ptr<QFont> qfont_;
    unsigned generation_ = 0;
};

// ---- Pens -------------------------------------------------------------------------------------

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
    psUserStyle,
    psAlternate
};
Q4_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
              "psInsideFrame", "psUserStyle", "psAlternate");

// How the pen's colour combines with what is already there (the sixteen raster operations).
enum TPenMode : std::uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
Q4_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
              "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
              "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor");

enum TPenEndCap : std::uint8_t { pecRound, pecSquare, pecFlat };
enum TPenJoinStyle : std::uint8_t { pjsRound, pjsBevel, pjsMiter };

class TPen : public TGraphicsObject {
    Q4_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;

    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    void Assign(const TPen& source);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);

    // A geometric pen keeps its dashes, caps and joins at any width; an ordinary pen wider than
    // one pixel draws solid with round ends.
    bool Geometric() const { return geometric_; }
    void SetGeometric(bool geometric);
    TPenEndCap EndCap() const { return endCap_; }
    void SetEndCap(TPenEndCap cap);
    TPenJoinStyle JoinStyle() const { return join_; }
    void SetJoinStyle(TPenJoinStyle join);
    // Dash and gap lengths in pixels (psUserStyle): dash, gap, dash, gap ...
    const std::vector<int>& UserDashes() const { return dashes_; }
    void SetUserDashes(std::vector<int> dashes);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    bool geometric_ = false;
    TPenEndCap endCap_ = pecRound;
    TPenJoinStyle join_ = pjsRound;
    std::vector<int> dashes_;
};

// ---- Brushes ----------------------------------------------------------------------------------

enum TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
Q4_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
              "bsBDiagonal", "bsCross", "bsDiagCross");

class TBrush : public TGraphicsObject {
    Q4_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;

    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    void Assign(const TBrush& source);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap (not owned; the caller keeps it alive while the brush uses it). A
    // monochrome pattern draws its set bits in the text colour and the rest in the background
    // colour; a colour pattern draws itself.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};
