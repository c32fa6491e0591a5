#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

TEST(Font, SizeAndHeightAt96DotsPerInch) {
    TFont f;
    EXPECT_EQ(f.PixelsPerInch(), 96);
    struct Case {
        int size;
        int height;
    };
    for (Case c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{14, -19}}) {
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << c.size;
        EXPECT_EQ(f.Size(), c.size) << c.size;
    }
    f.SetHeight(20); // a cell height reads back as a negative size
    EXPECT_EQ(f.Size(), -15);
}

TEST(GraphicsObjects, EachChangeNotifiesOnceAndEqualValuesNotAtAll) {
    TFont font;
    TPen pen;
    TBrush brush;
    int fontChanges = 0, penChanges = 0, brushChanges = 0;
    font.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &font);
        ++fontChanges;
    };
    pen.OnChange = [&](TObject*) { ++penChanges; };
    brush.OnChange = [&](TObject*) { ++brushChanges; };

    font.SetName("Tahoma");
    font.SetName("Tahoma");
    font.SetStyle({fsBold, fsUnderline});
    font.SetColor(clRed);
    font.SetOrientation(450);
    font.SetCharset(RUSSIAN_CHARSET);
    EXPECT_EQ(fontChanges, 5);
    EXPECT_TRUE(font.Style().Contains(fsBold));
    EXPECT_FALSE(font.Style().Contains(fsItalic));

    pen.SetWidth(2);
    pen.SetWidth(2);
    pen.SetStyle(psDot);
    pen.SetMode(pmNotXor);
    pen.SetColor(clBlack); // already black
    EXPECT_EQ(penChanges, 3);

    brush.SetStyle(bsClear);
    brush.SetColor(clRed); // a colour makes a clear brush solid again
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_EQ(brushChanges, 2);
}

TEST(GraphicsObjects, AssignCopiesEverythingWithOneNotice) {
    TFont a;
    a.SetName("Courier New");
    a.SetSize(12);
    a.SetStyle({fsItalic});
    a.SetColor(clNavy);
    a.SetPitch(fpFixed);
    a.SetOrientation(900);
    TFont b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_EQ(b.Height(), a.Height());
    EXPECT_EQ(b.Style(), a.Style());
    EXPECT_EQ(b.Color(), clNavy);
    EXPECT_EQ(b.Pitch(), fpFixed);
    EXPECT_EQ(b.Orientation(), 900);
    b.Assign(b);
    EXPECT_EQ(changes, 1);

    TPen p;
    p.SetStyle(psUserStyle);
    p.SetUserDashes({4, 2});
    p.SetGeometric(true);
    p.SetEndCap(pecFlat);
    TPen q;
    q.Assign(p);
    EXPECT_EQ(q.Style(), psUserStyle);
    EXPECT_EQ(q.UserDashes(), (std::vector<int>{4, 2}));
    EXPECT_TRUE(q.Geometric());
    EXPECT_EQ(q.EndCap(), pecFlat);
}

TEST(GraphicsObjects, UpdateBracketGathersChanges) {
    TPen pen;
    int changes = 0;
    pen.OnChange = [&](TObject*) { ++changes; };
    pen.BeginUpdate();
    pen.SetColor(clRed);
    pen.SetWidth(3);
    EXPECT_EQ(changes, 0);
    pen.EndUpdate();
    EXPECT_EQ(changes, 1);
    pen.BeginUpdate();
    pen.EndUpdate(); // nothing changed: no notice
    EXPECT_EQ(changes, 1);
    pen.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(changes, 1);
}

TEST(Font, SubstitutionTable) {
    struct Case {
        const char* name;
        const char* installed;
    };
    for (Case c : {Case{"Arial", "Liberation Sans"}, Case{"MS Sans Serif", "Liberation Sans"},
                   Case{"tahoma", "Liberation Sans"}, Case{"Times New Roman", "Liberation Serif"},
                   Case{"Courier New", "Liberation Mono"}, Case{"DejaVu Sans", "DejaVu Sans"}}) {
        EXPECT_EQ(SubstituteFontName(c.name), c.installed) << c.name;
    }
}

TEST(GraphicsObjects, PublishedPropertiesReadAndWriteByName) {
    TFont font;
    SetPropValue(&font, "Color", "clBtnFace");
    EXPECT_EQ(font.Color(), clBtnFace);
    EXPECT_EQ(GetPropValue(&font, "Color"), "clBtnFace");
    SetPropValue(&font, "Color", "7617536"); // no name: a number
    EXPECT_EQ(font.Color(), 0x743C00);
    SetPropValue(&font, "Style", "[fsBold,fsItalic]");
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    SetPropValue(&font, "Charset", "RUSSIAN_CHARSET");
    EXPECT_EQ(font.Charset(), RUSSIAN_CHARSET);
    SetPropValue(&font, "Name", "Tahoma");
    SetPropValue(&font, "Height", "-13");
    EXPECT_EQ(GetPropValue(&font, "Size"), "10");
    // The size follows the height and is never stored itself.
    const TPropInfo* size = font.ClassType()->FindProperty("Size");
    ASSERT_NE(size, nullptr);
    EXPECT_FALSE(size->IsStored(&font));

    TPen pen;
    SetPropValue(&pen, "Style", "psDashDot");
    SetPropValue(&pen, "Mode", "pmNotXor");
    EXPECT_EQ(pen.Style(), psDashDot);
    EXPECT_EQ(pen.Mode(), pmNotXor);
    EXPECT_THROW(SetPropValue(&pen, "Style", "psWavy"), Exception);

    TBrush brush;
    SetPropValue(&brush, "Style", "bsDiagCross");
    EXPECT_EQ(GetPropValue(&brush, "Style"), "bsDiagCross");
    EXPECT_EQ(GetPropValue(&brush, "Color"), "clWhite");

    // Assign through the persistent interface, and refusal of unrelated kinds.
    TFont copy;
    copy.Assign(static_cast<TPersistent*>(&font));
    EXPECT_EQ(copy.Name(), "Tahoma");
    EXPECT_THROW(copy.Assign(static_cast<TPersistent*>(&pen)), EConvertError);
}
