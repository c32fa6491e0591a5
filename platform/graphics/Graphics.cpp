#include "platform/graphics/Graphics.h"

#include "platform/graphics/Types.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <cctype>

void TGraphicsObject::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pending_) {
        pending_ = false;
        Changed();
    }
}

void TGraphicsObject::Changed() {
    if (updateCount_ > 0) {
        pending_ = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

const TTypeInfo* TColorTypeInfo() {
    static const TTypeInfo info = [] {
        std::vector<std::pair<int64_t, std::string>> idents;
        GetColorValues([&](const std::string& name) {
            TColor c = 0;
            IdentToColor(name, c);
            idents.emplace_back(c, name);
        });
        TTypeInfo t = TTypeInfo::Integer("TColor", std::move(idents));
        return t;
    }();
    return &info;
}

const TTypeInfo* TFontCharsetTypeInfo() {
    static const TTypeInfo info = [] {
        TTypeInfo t = TTypeInfo::Integer("TFontCharset", {{0, "ANSI_CHARSET"},
                                                          {1, "DEFAULT_CHARSET"},
                                                          {2, "SYMBOL_CHARSET"},
                                                          {77, "MAC_CHARSET"},
                                                          {128, "SHIFTJIS_CHARSET"},
                                                          {129, "HANGEUL_CHARSET"},
                                                          {130, "JOHAB_CHARSET"},
                                                          {134, "GB2312_CHARSET"},
                                                          {136, "CHINESEBIG5_CHARSET"},
                                                          {161, "GREEK_CHARSET"},
                                                          {162, "TURKISH_CHARSET"},
                                                          {163, "VIETNAMESE_CHARSET"},
                                                          {177, "HEBREW_CHARSET"},
                                                          {178, "ARABIC_CHARSET"},
                                                          {186, "BALTIC_CHARSET"},
                                                          {204, "RUSSIAN_CHARSET"},
                                                          {222, "THAI_CHARSET"},
                                                          {238, "EASTEUROPE_CHARSET"},
                                                          {255, "OEM_CHARSET"}});
        t.OrdType = otUByte;
        t.MinValue = 0;
        t.MaxValue = 255;
        return t;
    }();
    return &info;
}

// ---- Fonts ------------------------------------------------------------------------------------

namespace {

struct Substitute {
    const char* name;
    const char* installed;
};

// Metric equivalents of the fonts the forms name.
constexpr Substitute kSubstitutes[] = {
    {"arial", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"tahoma", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"verdana", "DejaVu Sans"},
};

std::string Lower(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

} // namespace

std::string SubstituteFontName(const std::string& name) {
    std::string key = Lower(name);
    for (const auto& s : kSubstitutes) {
        if (key == s.name)
            return s.installed;
    }
    return name;
}

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::Changed() {
    qfont_.reset();
    ++generation_;
    TGraphicsObject::Changed();
}

void TFont::DeclareProperties(TPropertyList& p) {
    p.Add("Charset", &TFont::Charset, &TFont::SetCharset, TFontCharsetTypeInfo())
        .Default(DEFAULT_CHARSET);
    p.Add("Color", &TFont::Color, &TFont::SetColor, TColorTypeInfo()).Default(clWindowText);
    p.Add("Height", &TFont::Height, &TFont::SetHeight);
    p.Add("Name", &TFont::Name, &TFont::SetName);
    p.Add("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
    p.Add("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    p.Add("Quality", &TFont::Quality, &TFont::SetQuality).Default(fqDefault);
    p.Add("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    p.Add("Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

void TFont::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source))
        Assign(*font);
    else
        TGraphicsObject::Assign(source);
}

void TFont::Assign(const TFont& source) {
    if (&source == this)
        return;
    BeginUpdate();
    SetName(source.name_);
    SetPixelsPerInch(source.pixelsPerInch_);
    SetHeight(source.height_);
    SetStyle(source.style_);
    SetColor(source.color_);
    SetCharset(source.charset_);
    SetPitch(source.pitch_);
    SetOrientation(source.orientation_);
    SetQuality(source.quality_);
    EndUpdate();
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int size) {
    SetHeight(-MulDiv(size, pixelsPerInch_, 72));
}

void TFont::SetPixelsPerInch(int ppi) {
    // The resolution only changes how Size reads and writes Height; it draws nothing different.
    if (ppi > 0)
        pixelsPerInch_ = ppi;
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    // The colour is not part of the realised font; listeners still need to hear of it.
    TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    Changed();
}

void TFont::SetOrientation(int tenths) {
    if (tenths == orientation_)
        return;
    orientation_ = tenths;
    TGraphicsObject::Changed();
}

void TFont::SetQuality(TFontQuality quality) {
    if (quality == quality_)
        return;
    quality_ = quality;
    Changed();
}

const QFont& TFont::QtFont() const {
    if (qfont_)
        return *qfont_;
    auto f = std::make_unique<QFont>(QString::fromStdString(SubstituteFontName(name_)));
    // Metrics and glyphs must not depend on the desktop: no kerning, one hinting mode, and
    // aliased glyphs unless smoothing is asked for.
    f->setKerning(false);
    f->setHintingPreference(QFont::PreferFullHinting);
    bool smooth =
        quality_ == fqAntialiased || quality_ == fqClearType || quality_ == fqClearTypeNatural;
    f->setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    if (pitch_ == fpFixed) {
        f->setFixedPitch(true);
        f->setStyleHint(QFont::TypeWriter, smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    }
    f->setBold(style_.Contains(fsBold));
    f->setItalic(style_.Contains(fsItalic));
    f->setUnderline(style_.Contains(fsUnderline));
    f->setStrikeOut(style_.Contains(fsStrikeOut));
    if (height_ < 0) {
        f->setPixelSize(-height_);
    } else {
        // A positive height is the whole cell (ascent + descent): scale the character height so
        // that the cell comes out at that height.
        int cell = height_ == 0 ? 16 : height_;
        auto cellOf = [&](int pixels) {
            f->setPixelSize(pixels);
            return QFontMetrics(*f).height();
        };
        int measured = cellOf(cell);
        int size = measured > 0 ? std::max(1, (cell * cell + measured / 2) / measured) : cell;
        // Rounding of the metrics can miss by a pixel: settle on the largest size whose cell fits.
        while (size > 1 && cellOf(size) > cell)
            --size;
        while (size < 4 * cell && cellOf(size + 1) <= cell)
            ++size;
        f->setPixelSize(size);
    }
    qfont_ = std::move(f);
    return *qfont_;
}

// ---- Pens -------------------------------------------------------------------------------------

void TPen::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TPen::Color, &TPen::SetColor, TColorTypeInfo()).Default(clBlack);
    p.Add("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    p.Add("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    p.Add("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::Assign(TPersistent* source) {
    if (auto* pen = dynamic_cast<TPen*>(source))
        Assign(*pen);
    else
        TGraphicsObject::Assign(source);
}

void TPen::Assign(const TPen& source) {
    if (&source == this)
        return;
    BeginUpdate();
    SetColor(source.color_);
    SetWidth(source.width_);
    SetStyle(source.style_);
    SetMode(source.mode_);
    SetGeometric(source.geometric_);
    SetEndCap(source.endCap_);
    SetJoinStyle(source.join_);
    SetUserDashes(source.dashes_);
    EndUpdate();
}

void TPen::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == width_)
        return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_)
        return;
    mode_ = mode;
    Changed();
}

void TPen::SetGeometric(bool geometric) {
    if (geometric == geometric_)
        return;
    geometric_ = geometric;
    Changed();
}

void TPen::SetEndCap(TPenEndCap cap) {
    if (cap == endCap_)
        return;
    endCap_ = cap;
    Changed();
}

void TPen::SetJoinStyle(TPenJoinStyle join) {
    if (join == join_)
        return;
    join_ = join;
    Changed();
}

void TPen::SetUserDashes(std::vector<int> dashes) {
    if (dashes == dashes_)
        return;
    dashes_ = std::move(dashes);
    Changed();
}

// ---- Brushes ----------------------------------------------------------------------------------

void TBrush::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TBrush::Color, &TBrush::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::Assign(TPersistent* source) {
    if (auto* brush = dynamic_cast<TBrush*>(source))
        Assign(*brush);
    else
        TGraphicsObject::Assign(source);
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this)
        return;
    BeginUpdate();
    SetColor(source.color_);
    SetStyle(source.style_);
    SetBitmap(source.bitmap_);
    EndUpdate();
}

void TBrush::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    // Giving a clear brush a colour makes it solid again.
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == bitmap_)
        return;
    bitmap_ = bitmap;
    Changed();
}
