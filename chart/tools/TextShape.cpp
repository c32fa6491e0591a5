#include "chart/tools/TextShape.h"

#include "chart/draw/PlotCanvas.h"
#include "chart/draw/TaggedText.h"
#include "chart/panel/PlotPanel.h"

namespace {

constexpr char kLineSeparator = '\r';

// The canvas' clip to a rectangle, taken away however the drawing ends.
class TClipScope {
public:
    TClipScope(TCanvas3D& canvas, const TRect& r, bool clip) : canvas_(clip ? &canvas : nullptr) {
        if (canvas_ != nullptr)
            canvas_->ClipToRect(r);
    }
    ~TClipScope() {
        if (canvas_ != nullptr)
            canvas_->RemoveClip();
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    TCanvas3D* canvas_;
};

} // namespace

std::string ShapeTextOf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\n')
            out += c;
    return out.empty() ? std::string(" ") : out;
}

std::string ShapeTextLine(const std::string& text, int lineIndex) {
    std::size_t start = 0;
    for (int i = 0; i < lineIndex; ++i) {
        const std::size_t next = text.find(kLineSeparator, start);
        if (next == std::string::npos)
            return {};
        start = next + 1;
    }
    const std::size_t end = text.find(kLineSeparator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TTextShape::TTextShape(TCustomPlotPanel* parent)
    : TPlotShapePosition(parent),
      margins_(std::make_unique<TMargins>([this](TObject*) { Changed(); })) {}

TTextShape::~TTextShape() = default;

void TTextShape::DeclareProperties(TPropertyList& p) {
    using S = TTextShape;
    p.Add("AutoSize", &S::AutoSize, &S::SetAutoSize).Stored(&S::AutoSizeStored);
    p.Add("ClipText", &S::ClipText, &S::SetClipText).Default(true);
    p.Add("Cursor", &S::Cursor, &S::SetCursor).Stored(&S::CursorStored);
    p.Add("Margins", &S::Margins, &S::SetMargins);
    p.Add("Text", &S::Text, &S::SetText);
    p.Add("TextAlignment", &S::TextAlignment, &S::SetTextAlignment).Default(taLeftJustify);
}

void TTextShape::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TTextShape*>(source)) {
        autoSize_ = other->autoSize_;
        clipText_ = other->clipText_;
        cursor_ = other->cursor_;
        margins_->Assign(other->margins_.get());
        text_ = other->text_;
        textAlignment_ = other->textAlignment_;
    }
    TPlotShapePosition::Assign(source);
}

void TTextShape::PaintText(TCustomPlotPanel& chart, TRect r, int lines, int xOffset) {
    TCanvas3D* canvas = chart.DrawCanvas();
    if (canvas == nullptr)
        return;
    // The box is worked out in the chart's own coordinates; the chart may be drawn into a
    // rectangle that does not start at (0, 0).
    const TRect& bounds = chart.PanelBounds();
    OffsetRect(r, bounds.Left, bounds.Top);
    if (Visible())
        DrawShapeIn(r, 0, 0);
    TClipScope clip(*canvas, r, clipText_);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBackgroundMode(cbmTransparent);
    const TRect& margin = margins_->Pixels();
    int x = r.Left + margin.Left;
    switch (textAlignment_) {
    case taLeftJustify:
        canvas->SetTextAlignment(TA_LEFT);
        if (Pen()->Visible())
            x += Pen()->Width();
        break;
    case taCenter:
        canvas->SetTextAlignment(TA_CENTER);
        x = (margin.Left + r.Left + r.Right - margin.Right) / 2 + 1;
        break;
    case taRightJustify:
        canvas->SetTextAlignment(TA_RIGHT);
        x = r.Right - margin.Right;
        break;
    }
    canvas->SelectFont(Font());
    const int lineHeight = canvas->CharHeight();
    const std::string text = ShapeTextOf(text_);
    const bool tagged = TextFormat() == ttfHtml;
    for (int i = 0; i < lines; ++i) {
        const std::string line = ShapeTextLine(text, i);
        const int y = r.Top + margin.Top + i * lineHeight;
        int lineX = x + xOffset;
        if (tagged && textAlignment_ != taLeftJustify) {
            // Tagged text is written left to right from where a text of its width starts.
            const int width = MeasureTaggedText(*canvas, line).cx;
            lineX -= textAlignment_ == taCenter ? width / 2 : width;
        }
        if (tagged)
            canvas->SetTextAlignment(TA_LEFT);
        canvas->TextOutTagged(lineX, y, line, tagged);
    }
    canvas->SetTextAlignment(TA_LEFT);
}
