// The brush editor: the twelve pattern bitmaps against their rows, the list choosing hatches,
// patterns and textures, the transparent back, pictures from files, and Cancel putting the brush
// back field by field.

#include "chart/draw/ChartBrush.h"
#include "chart/editors/BrushDialog.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ListBox.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <Qt>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

// Every pixel of a graphic, row by row, as colours.
std::vector<TColor> PixelsOf(TGraphic* graphic) {
    TBitmap flat(graphic->Width(), graphic->Height(), pf24bit);
    flat.Canvas()->Draw(0, 0, graphic);
    std::vector<TColor> out;
    for (int y = 0; y < flat.Height(); ++y)
        for (int x = 0; x < flat.Width(); ++x)
            out.push_back(flat.Canvas()->Pixel(x, y));
    return out;
}

struct TBrushFields {
    TBrushStyle style;
    TColor color;
    TColor backColor;
    bool hasImage;
    std::vector<TColor> image;
    bool operator==(const TBrushFields&) const = default;
};

TBrushFields FieldsOf(TChartBrush& b) {
    return {b.Style(), b.Color(), b.BackColor(), b.HasImage(),
            b.HasImage() ? PixelsOf(b.Image()->Graphic()) : std::vector<TColor>{}};
}

struct BrushDialogTest : ::testing::Test {
    BrushDialogTest() {
        brush.SetStyle(bsCross);
        brush.SetColor(clGreen);
        brush.SetBackColor(clYellow);
        dialog = TCustomForm::Create<TBrushDialog>(nullptr);
        dialog->Brush = &brush;
    }
    ~BrushDialogTest() override { dialog->Free(); }
    TChartBrush brush;
    TBrushDialog* dialog;
};

} // namespace

TEST(BrushPatterns, EachPatternRepeatsItsFourRows) {
    const char* const rows[12] = {"AAAA0000AAAA0000", "5555AAAA5555AAAA", "FFFFAAAAFFFFAAAA",
                                  "FFFFBBBBFFFFEEEE", "7777FFFFFFFFFFFF", "EFBED75DBAEB7DF7",
                                  "BBBBBBBBBBBBBBBB", "FFFF0000FFFFFFFF", "DDDDEEEE7777BBBB",
                                  "BBBB7777EEEEDDDD", "BBBB0000BBBBBBBB", "BBBB5555EEEE5555"};
    for (int n = 1; n <= 12; ++n) {
        std::unique_ptr<TBitmap> pattern = LoadBrushPattern(n);
        ASSERT_EQ(pattern->Width(), 16) << n;
        ASSERT_EQ(pattern->Height(), 16) << n;
        EXPECT_EQ(pattern->PixelFormat(), pf1bit) << n;
        EXPECT_EQ(pattern->TransparentMode(), tmFixed) << n;
        EXPECT_EQ(pattern->TransparentColor(), clWhite) << n;
        for (int y = 0; y < 16; ++y) {
            const unsigned row = std::stoul(std::string(rows[n - 1] + (y % 4) * 4, 4), nullptr, 16);
            for (int x = 0; x < 16; ++x) {
                const bool white = (row >> (15 - x)) & 1;
                EXPECT_EQ(pattern->Canvas()->Pixel(x, y), white ? clWhite : clBlack)
                    << "pattern " << n << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(BrushDialogTest, TheListSetsHatchesPatternsAndTexturesAndOkKeepsThem) {
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        auto* list = Part<TListBox>(f, "LStyle");
        EXPECT_EQ(list->ItemIndex(), bsCross);
        EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(), "B&rowse...");
        edtest::Shoot(f, "brush-dialog");
        edtest::ClickListItem(list, 9); // Fill 60%
        EXPECT_TRUE(brush.HasImage());
        EXPECT_EQ(PixelsOf(brush.Image()->Graphic()), PixelsOf(LoadBrushPattern(2).get()));
        EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(), "Clea&r");
        edtest::ClickListItem(list, 4); // Diagonal
        EXPECT_FALSE(brush.HasImage());
        EXPECT_EQ(brush.Style(), bsFDiagonal);
        edtest::ClickListItem(list, TBrushDialog::FirstTexture + 3); // Clouds
        ASSERT_TRUE(brush.HasImage());
        EXPECT_EQ(brush.Image()->Width(), 32);
        edtest::Shoot(f, "brush-dialog-texture");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(brush.HasImage());
    EXPECT_EQ(brush.Style(), bsFDiagonal);
}

TEST_F(BrushDialogTest, NoneDisablesBothColoursAndTransparentWaitsForABackColour) {
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        auto* color = Part<TButtonColor>(f, "BColor");
        auto* back = Part<TButtonColor>(f, "BBackColor");
        auto* transparent = Part<TCheckBox>(f, "CBTransp");
        EXPECT_FALSE(transparent->Checked());
        edtest::ClickControl(transparent);
        EXPECT_EQ(brush.BackColor(), clNone);
        EXPECT_FALSE(transparent->Enabled());
        edtest::PickColor(clAqua);
        edtest::ClickControl(back);
        edtest::PickColor(clNone);
        EXPECT_EQ(brush.BackColor(), clAqua);
        EXPECT_FALSE(transparent->Checked());
        EXPECT_TRUE(transparent->Enabled());
        edtest::ClickListItem(Part<TListBox>(f, "LStyle"), 1); // None
        EXPECT_EQ(brush.Style(), bsClear);
        EXPECT_FALSE(color->Enabled());
        EXPECT_FALSE(back->Enabled());
        edtest::PressKey(Part<TListBox>(f, "LStyle"), Qt::Key_Escape);
    });
}

TEST_F(BrushDialogTest, CancelPutsBackEveryField) {
    struct Case {
        const char* name;
        bool startWithPicture;
        int item;
    } cases[] = {{"texture over a hatch", false, TBrushDialog::FirstTexture},
                 {"hatch over a picture", true, 2},
                 {"pattern over a picture", true, TBrushDialog::FirstPattern + 5}};
    for (const Case& c : cases) {
        TChartBrush own;
        own.SetStyle(bsVertical);
        own.SetColor(clMaroon);
        if (c.startWithPicture)
            own.Image()->SetGraphic(LoadBrushPattern(12).get());
        TBrushDialog* d = TCustomForm::Create<TBrushDialog>(nullptr);
        d->Brush = &own;
        const TBrushFields before = FieldsOf(own);
        edtest::RunModal(d, [&](TCustomForm* f) {
            EXPECT_EQ(Part<TListBox>(f, "LStyle")->ItemIndex(), c.startWithPicture ? -1 : 3);
            EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(),
                      c.startWithPicture ? "Clea&r" : "B&rowse...");
            edtest::ClickListItem(Part<TListBox>(f, "LStyle"), c.item);
            edtest::ClickControl(Part<TCheckBox>(f, "CBTransp"));
            edtest::PickColor(clLime);
            edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
            edtest::PickColor(clNone);
            edtest::ClickControl(Part<TButton>(f, "Button3"));
        });
        EXPECT_TRUE(FieldsOf(own) == before) << c.name;
        d->Free();
    }
}

// A brush filled by a bitmap it does not own: "Clear" lets go of it, Cancel takes it back.
TEST_F(BrushDialogTest, CancelTakesBackTheBitmapThatClearLetGo) {
    std::unique_ptr<TBitmap> fill = LoadBrushPattern(3);
    brush.SetBitmap(fill.get());
    const std::vector<TColor> pixels = PixelsOf(fill.get());
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        auto* image = Part<TButton>(f, "Button1");
        EXPECT_EQ(image->Caption(), "Clea&r");
        edtest::ClickControl(image);
        EXPECT_EQ(brush.Bitmap(), nullptr);
        EXPECT_EQ(image->Caption(), "B&rowse...");
        edtest::ClickControl(Part<TButton>(f, "Button3"));
    });
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(brush.Bitmap(), fill.get());
    EXPECT_EQ(PixelsOf(brush.Bitmap()), pixels);
    brush.SetBitmap(nullptr);
}

TEST_F(BrushDialogTest, ClosingTheWindowRestoresLikeCancel) {
    const TBrushFields before = FieldsOf(brush);
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        edtest::ClickListItem(Part<TListBox>(f, "LStyle"), TBrushDialog::FirstTexture + 1);
        EXPECT_TRUE(brush.HasImage());
        f->Close();
    });
    EXPECT_TRUE(FieldsOf(brush) == before);
}

TEST_F(BrushDialogTest, APictureFileIsLoadedAndAnIconBecomesABitmap) {
    const std::string dir = ::testing::TempDir() + "brush-pictures";
    std::filesystem::create_directories(dir);
    const std::string icon = dir + "/sign.ico";
    const std::string make = "/usr/bin/python3 -c \"from PIL import Image; "
                             "Image.new('RGB',(24,24),(200,30,30)).save('" +
                             icon + "', sizes=[(24,24)])\"";
    ASSERT_EQ(std::system(make.c_str()), 0);
    TFileDialogHook old = SetFileDialogHook([&](const TFileDialogRequest&) {
        TFileDialogAnswer a;
        a.Accepted = true;
        a.Files = {icon};
        return a;
    });
    edtest::Messages().clear();
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        edtest::ClickControl(Part<TButton>(f, "Button1"));
        EXPECT_TRUE(edtest::Messages().empty()) << edtest::Messages().front();
        if (!brush.HasImage()) {
            ADD_FAILURE() << "no picture loaded";
            f->SetModalResult(mrCancel);
            return;
        }
        EXPECT_NE(dynamic_cast<TBitmap*>(brush.Image()->Graphic()), nullptr);
        EXPECT_EQ(brush.Image()->Width(), 24);
        EXPECT_EQ(brush.Image()->Height(), 24);
        EXPECT_EQ(PixelsOf(brush.Image()->Graphic())[0], RGB(200, 30, 30));
        EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(), "Clea&r");
        edtest::ClickControl(Part<TButton>(f, "Button1"));
        EXPECT_FALSE(brush.HasImage());
        EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(), "B&rowse...");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    SetFileDialogHook(old);
    std::filesystem::remove_all(dir);
}

TEST_F(BrushDialogTest, APictureFileThatDoesNotReadIsReportedAndTheBrushStaysAsItWas) {
    const std::string dir = ::testing::TempDir() + "brush-broken";
    std::filesystem::create_directories(dir);
    const std::string broken = dir + "/broken.png";
    {
        std::ofstream out(broken, std::ios::binary);
        out << "\x89PNG\r\n\x1a\n not really a picture";
    }
    TFileDialogHook old = SetFileDialogHook([&](const TFileDialogRequest&) {
        TFileDialogAnswer a;
        a.Accepted = true;
        a.Files = {broken};
        return a;
    });
    const TBrushFields before = FieldsOf(brush);
    edtest::Messages().clear();
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        edtest::ClickControl(Part<TButton>(f, "Button1"));
        EXPECT_EQ(edtest::Messages().size(), 1u);
        EXPECT_EQ(f->ModalResult(), mrNone);
        EXPECT_TRUE(FieldsOf(brush) == before);
        EXPECT_EQ(Part<TButton>(f, "Button1")->Caption(), "B&rowse...");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    SetFileDialogHook(old);
    EXPECT_TRUE(FieldsOf(brush) == before);
    std::filesystem::remove_all(dir);
}

// Shown for no brush, its buttons keep their own colours and nothing breaks.
TEST(BrushDialog, WithoutABrushItsButtonsChangeNothing) {
    TBrushDialog* d = TCustomForm::Create<TBrushDialog>(nullptr);
    const TModalResult result = edtest::RunModal(d, [&](TCustomForm* f) {
        edtest::PickColor(clYellow);
        edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
        edtest::ClickControl(Part<TButtonColor>(f, "BBackColor"));
        edtest::PickColor(clNone);
        edtest::ClickControl(Part<TCheckBox>(f, "CBTransp"));
        edtest::ClickListItem(Part<TListBox>(f, "LStyle"), 3);
        edtest::ClickControl(Part<TButton>(f, "Button3"));
    });
    EXPECT_EQ(result, mrCancel);
    d->Free();
}
