// Drawing attributes and pictures inside form descriptions, written and read back.

#include "GraphicsTestSupport.h"

#include "platform/classes/Component.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Picture.h"

#include <gtest/gtest.h>

namespace {

class TPictureHolder : public TComponent {
    Q4_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}

    static void DeclareProperties(TPropertyList& p) {
        p.Add("Font", &TPictureHolder::GetFont, &TPictureHolder::SetFont);
        p.Add("Pen", &TPictureHolder::GetPen, &TPictureHolder::SetPen);
        p.Add("Picture", &TPictureHolder::GetPicture, &TPictureHolder::SetPicture);
        p.Add("Color", &TPictureHolder::color_, TColorTypeInfo()).Default(clBtnFace);
    }

    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* font) { font_->Assign(font); }
    TPen* GetPen() const { return pen_.get(); }
    void SetPen(TPen* pen) { pen_->Assign(pen); }
    TPicture* GetPicture() const { return picture_.get(); }
    void SetPicture(TPicture* picture) { picture_->Assign(picture); }

    TColor color_ = clBtnFace;

private:
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TPen> pen_ = std::make_unique<TPen>();
    std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
};

} // namespace

TEST(Description, FontsPensAndPicturesRoundTrip) {
    TPictureHolder source(nullptr);
    source.SetName("Holder1");
    source.GetFont()->SetName("Tahoma");
    source.GetFont()->SetStyle({fsBold});
    source.GetFont()->SetColor(clHighlight);
    source.GetFont()->SetCharset(RUSSIAN_CHARSET);
    source.GetPen()->SetStyle(psDot);
    source.color_ = 0x743C00;
    TBitmap glyph(3, 2);
    glyph.Canvas()->SetPixel(2, 1, clRed);
    source.GetPicture()->SetGraphic(&glyph);

    std::string text = ComponentToText(&source);
    for (const char* line :
         {"Font.Charset = RUSSIAN_CHARSET", "Font.Color = clHighlight", "Font.Name = 'Tahoma'",
          "Font.Style = [fsBold]", "Pen.Style = psDot", "Color = 7617536", "Picture.Data = {"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    // Defaults are left out.
    EXPECT_EQ(text.find("Pen.Color"), std::string::npos) << text;
    EXPECT_EQ(text.find("Font.Size"), std::string::npos) << text;

    TPictureHolder back(nullptr);
    ReadComponentDescription(text, &back);
    EXPECT_EQ(back.GetFont()->Name(), "Tahoma");
    EXPECT_EQ(back.GetFont()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(back.GetFont()->Color(), clHighlight);
    EXPECT_EQ(back.GetFont()->Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(back.GetPen()->Style(), psDot);
    EXPECT_EQ(back.color_, 0x743C00);
    ASSERT_FALSE(back.GetPicture()->Empty());
    TBitmap* bmp = back.GetPicture()->Bitmap();
    EXPECT_EQ(bmp->Width(), 3);
    EXPECT_EQ(bmp->Canvas()->Pixel(2, 1), clRed);
    EXPECT_EQ(bmp->Canvas()->Pixel(0, 0), clWhite);
}
