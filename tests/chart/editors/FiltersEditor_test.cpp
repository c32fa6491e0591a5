// The image filters editor: enumeration names as words, the menu of filter classes sorted by
// caption, the option and region pages each filter shows, adding, deleting, moving and
// switching filters, options written to the filter with a fresh preview, the preview switch, and
// the picture editor's button opening it.

#include "chart/editors/BackImageEditor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FilterOptions.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

// A picture of four coloured quarters, so that every filter changes something.
TBitmap* MakeSource() {
    static TBitmap source(64, 48, pf24bit);
    TCanvas* c = source.Canvas();
    const TColor colors[4] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200),
                              RGB(220, 220, 60)};
    for (int q = 0; q < 4; ++q) {
        c->Brush()->SetColor(colors[q]);
        c->FillRect(Rect((q % 2) * 32, (q / 2) * 24, (q % 2) * 32 + 32, (q / 2) * 24 + 24));
    }
    return &source;
}

std::vector<TColor> PixelsOf(const TBitmap* bitmap) {
    std::vector<TColor> out;
    for (int y = 0; y < bitmap->Height(); y += 3)
        for (int x = 0; x < bitmap->Width(); x += 3)
            out.push_back(const_cast<TBitmap*>(bitmap)->Canvas()->Pixel(x, y));
    return out;
}

// A filter whose setter refuses levels above 50, as a property setter may.
class TPickyFilter : public TPlotFilter {
    Q4_CLASS(TPickyFilter, TPlotFilter)
public:
    explicit TPickyFilter(TCollection* collection) : TPlotFilter(collection) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Level", &TPickyFilter::GetLevel, &TPickyFilter::SetLevel);
    }
    int GetLevel() const { return level_; }
    void SetLevel(int v) {
        if (v > 50)
            throw EConvertError("Level " + std::to_string(v) + " is above 50");
        level_ = v;
    }

private:
    int level_ = 10;
};

// A filter with no options that always works on the whole picture.
class TWholeFilter : public TPlotFilter {
    Q4_CLASS(TWholeFilter, TPlotFilter)
public:
    explicit TWholeFilter(TCollection* collection) : TPlotFilter(collection) {
        allowRegion_ = false;
    }
};

// A filter that fails, as one may when its work cannot be done.
class TFailingFilter : public TPlotFilter {
    Q4_CLASS(TFailingFilter, TPlotFilter)
public:
    explicit TFailingFilter(TCollection* collection) : TPlotFilter(collection) {}
    void Apply(TBitmap&, const TRect&) override { throw EConvertError("no room for the picture"); }
};

// A picture whose left half is see-through (magenta is its transparent colour).
TBitmap* MakeSeeThroughSource() {
    static TBitmap source(48, 24, pf24bit);
    TCanvas* c = source.Canvas();
    c->Brush()->SetColor(RGB(255, 0, 255));
    c->FillRect(Rect(0, 0, 24, 24));
    c->Brush()->SetColor(RGB(30, 160, 90));
    c->FillRect(Rect(24, 0, 48, 24));
    source.SetTransparentMode(tmFixed);
    source.SetTransparentColor(RGB(255, 0, 255));
    source.SetTransparent(true);
    return &source;
}

struct FiltersEditorTest : ::testing::Test {
    FiltersEditorTest() {
        editor = TCustomForm::Create<TFiltersEditor>(nullptr);
        editor->SourceGraphic = MakeSource();
        editor->EditedFilters = &filters;
    }
    ~FiltersEditorTest() override {
        SetPopupMenuHook(nullptr);
        editor->Free();
    }
    // Chooses the menu entry of caption through the "+" button.
    void AddByMenu(TCustomForm* f, const std::string& caption) {
        SetPopupMenuHook([this, caption](TPopupMenu* menu, int x, int y) -> TMenuItem* {
            popupAt = {x, y};
            for (int i = 0; i < menu->Items()->Count(); ++i)
                if (menu->Items()->Items(i)->Caption() == caption)
                    return menu->Items()->Items(i);
            return nullptr;
        });
        Part<TSpeedButton>(f, "BAdd")->Click();
    }
    TFilterItems filters;
    TFiltersEditor* editor;
    TPoint popupAt{-1, -1};
};

} // namespace

TEST(FilterOptions, EnumerationNamesBecomeWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"gdTopBottom", "Top Bottom"},
        {"mdDown", "Down"},
        {"fdLeftX", "LeftX"},
        {"gmEye2", "Eye2"},
        {"abc", "abc"},
        {"gmSimple", "Simple"},
        {"xxABC", "A BC"},
    };
    for (const auto& [name, words] : cases)
        EXPECT_EQ(EnumNameToWords(name), words) << name;
}

TEST_F(FiltersEditorTest, AnEmptyListHidesThePagesAndTheMenuIsSorted) {
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_FALSE(Part<TPageControl>(f, "PageProps")->Visible());
        EXPECT_FALSE(Part<TSpeedButton>(f, "BDelete")->Enabled());
        TMenuItem* items = editor->MenuFilters()->Items();
        ASSERT_EQ(items->Count(), static_cast<int>(FilterClasses().size()));
        for (int i = 1; i < items->Count(); ++i)
            EXPECT_LT(items->Items(i - 1)->Caption(), items->Items(i)->Caption());
        EXPECT_EQ(items->Items(0)->Caption(), "Antialias");
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, EachFilterShowsItsOwnPages) {
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* props = Part<TPageControl>(f, "PageProps");
        auto* options = Part<TTabSheet>(f, "Properties");
        auto* region = Part<TTabSheet>(f, "TabRegion");
        AddByMenu(f, "Invert"); // no options
        auto* add = Part<TSpeedButton>(f, "BAdd");
        const TPoint corner = add->ClientToScreen({add->Width(), add->Height()});
        EXPECT_EQ(popupAt.X, corner.X);
        EXPECT_EQ(popupAt.Y, corner.Y);
        EXPECT_TRUE(props->Visible());
        EXPECT_FALSE(options->TabVisible());
        EXPECT_TRUE(region->TabVisible());
        EXPECT_EQ(props->ActivePage(), region);
        AddByMenu(f, "Mirror"); // no region
        EXPECT_TRUE(options->TabVisible());
        EXPECT_FALSE(region->TabVisible());
        EXPECT_EQ(props->ActivePage(), options);
        EXPECT_EQ(editor->Builder().ControlCount(), 1);
        AddByMenu(f, "Crop"); // the resize options and its own
        EXPECT_EQ(editor->Builder().ControlCount(), 2 * 4 + 1);
        edtest::Shoot(f, "filters-editor-crop");
        ASSERT_EQ(filters.Count(), 3);
        EXPECT_NE(dynamic_cast<TCropFilter*>(filters.Items(2)), nullptr);
        EXPECT_EQ(Part<TListBox>(f, "Filters")->ItemIndex(), 2);
        // Neither options nor a region: no pages at all, until another filter is chosen.
        editor->AddFilter(TWholeFilter::StaticClass());
        EXPECT_EQ(Part<TListBox>(f, "Filters")->ItemIndex(), 3);
        EXPECT_FALSE(props->Visible());
        edtest::ClickListItem(Part<TListBox>(f, "Filters"), 0);
        EXPECT_TRUE(props->Visible());
        EXPECT_EQ(props->ActivePage(), region);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, DeletingMovingAndSwitchingFilters) {
    filters.Add<TInvertFilter>();
    filters.Add<TBrightnessFilter>();
    filters.Add<TFlipFilter>();
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* list = Part<TListBox>(f, "Filters");
        EXPECT_EQ(list->ItemIndex(), 0);
        EXPECT_TRUE(Part<TSpeedButton>(f, "BDelete")->Enabled());
        EXPECT_FALSE(Part<TSpeedButton>(f, "BMoveUp")->Enabled());
        Part<TSpeedButton>(f, "BMoveDown")->Click();
        EXPECT_NE(dynamic_cast<TBrightnessFilter*>(filters.Items(0)), nullptr);
        EXPECT_NE(dynamic_cast<TInvertFilter*>(filters.Items(1)), nullptr);
        EXPECT_EQ(list->Items()->Get(1), "Invert");
        EXPECT_EQ(list->ItemIndex(), 1);
        // The box before a name switches its filter.
        const TRect row = list->ItemRect(2);
        edtest::ClickAt(list, row.Left + 8, (row.Top + row.Bottom) / 2);
        EXPECT_FALSE(filters.Items(2)->Enabled());
        // Deleting the last selects the new last; deleting everything clears the options.
        edtest::ClickListItem(list, 2);
        Part<TSpeedButton>(f, "BDelete")->Click();
        EXPECT_EQ(filters.Count(), 2);
        EXPECT_EQ(list->ItemIndex(), 1);
        Part<TSpeedButton>(f, "BDelete")->Click();
        Part<TSpeedButton>(f, "BDelete")->Click();
        EXPECT_EQ(filters.Count(), 0);
        EXPECT_EQ(editor->Builder().ControlCount(), 0);
        EXPECT_FALSE(Part<TPageControl>(f, "PageProps")->Visible());
        EXPECT_FALSE(Part<TSpeedButton>(f, "BDelete")->Enabled());
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, AnOptionWritesTheFilterAndRefreshesThePreview) {
    auto* brightness = filters.Add<TBrightnessFilter>();
    edtest::RunModal(editor, [&](TCustomForm* f) {
        ASSERT_NE(editor->PreviewBitmap(), nullptr);
        const std::vector<TColor> before = PixelsOf(editor->PreviewBitmap());
        TScrollBar* amount = nullptr;
        TCheckBox* percent = nullptr;
        auto* options = Part<TTabSheet>(f, "Properties");
        for (int i = 0; i < options->ControlCount(); ++i) {
            if (auto* bar = dynamic_cast<TScrollBar*>(options->Controls(i)))
                amount = bar;
            if (auto* box = dynamic_cast<TCheckBox*>(options->Controls(i)))
                percent = box;
        }
        ASSERT_NE(amount, nullptr);
        ASSERT_NE(percent, nullptr);
        EXPECT_EQ(amount->Min(), -100);
        EXPECT_EQ(amount->Position(), 5);
        // A drag's changes share one refresh, made once the event loop is free.
        amount->SetPosition(30);
        amount->SetPosition(60);
        EXPECT_EQ(brightness->Amount, 60);
        EXPECT_TRUE(editor->PreviewPending());
        EXPECT_EQ(PixelsOf(editor->PreviewBitmap()), before);
        for (int i = 0; i < 200 && editor->PreviewPending(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        EXPECT_FALSE(editor->PreviewPending());
        EXPECT_NE(PixelsOf(editor->PreviewBitmap()), before);
        edtest::ClickControl(percent);
        EXPECT_FALSE(brightness->Percent);
        EXPECT_EQ(amount->Min(), -255);
        EXPECT_EQ(amount->Max(), 255);
        editor->FlushPreview();
        edtest::Shoot(f, "filters-editor");
        // The preview switch empties the preview and takes "Scaled" with it.
        edtest::ClickControl(Part<TCheckBox>(f, "CBPreview"));
        EXPECT_EQ(editor->PreviewBitmap(), nullptr);
        EXPECT_FALSE(Part<TCheckBox>(f, "CBScaled")->Enabled());
        edtest::ClickControl(Part<TCheckBox>(f, "CBPreview"));
        editor->FlushPreview();
        EXPECT_NE(editor->PreviewBitmap(), nullptr);
        // Unscaled, the preview is the picture's own size; the preview's menu and the box
        // switch together.
        TMenuItem* scaled = editor->PreviewMenu()->Items()->Items(0);
        EXPECT_EQ(scaled->Caption(), "&Scaled");
        EXPECT_TRUE(scaled->Checked());
        edtest::ClickControl(Part<TCheckBox>(f, "CBScaled"));
        EXPECT_FALSE(scaled->Checked());
        editor->FlushPreview();
        EXPECT_EQ(editor->PreviewBitmap()->Width(), 64);
        scaled->Click();
        EXPECT_TRUE(scaled->Checked());
        EXPECT_TRUE(Part<TCheckBox>(f, "CBScaled")->Checked());
        editor->FlushPreview();
        EXPECT_GT(editor->PreviewBitmap()->Width(), 64);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, AValueTheFilterRefusesIsShownAndTheEditorGoesOn) {
    RegisterFilterOptions(TPickyFilter::StaticClass(), [](TPlotFilter*, IFilterOptionsBuilder& b) {
        b.PlaceIntegerEdit("Level", "", {.Min = 0, .Max = 100});
    });
    auto* picky = static_cast<TPickyFilter*>(filters.Add(TPickyFilter::StaticClass()));
    edtest::Messages().clear();
    edtest::RunModal(editor, [&](TCustomForm* f) {
        TSpinEdit* level = nullptr;
        auto* options = Part<TTabSheet>(f, "Properties");
        for (int i = 0; i < options->ControlCount(); ++i)
            if (auto* edit = dynamic_cast<TSpinEdit*>(options->Controls(i)))
                level = edit;
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->MinValue(), 0);
        EXPECT_EQ(level->MaxValue(), 100);
        edtest::TypeInto(level, "70");
        ASSERT_FALSE(edtest::Messages().empty());
        EXPECT_NE(edtest::Messages().back().find("Level 70 is above 50"), std::string::npos);
        EXPECT_EQ(picky->GetLevel(), 7); // the "7" typed before the refused "70"
        EXPECT_EQ(f->ModalResult(), mrNone);
        edtest::TypeInto(level, "30");
        EXPECT_EQ(picky->GetLevel(), 30);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, ASeeThroughPictureLooksTheSameAtEveryRefresh) {
    editor->SourceGraphic = MakeSeeThroughSource();
    filters.Add<TInvertFilter>();
    edtest::RunModal(editor, [&](TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBScaled")); // the picture's own pixels
        editor->FlushPreview();
        ASSERT_NE(editor->PreviewBitmap(), nullptr);
        const std::vector<TColor> first = PixelsOf(editor->PreviewBitmap());
        for (int run = 0; run < 2; ++run) {
            editor->RefreshPreview();
            editor->FlushPreview();
            EXPECT_EQ(PixelsOf(editor->PreviewBitmap()), first) << "refresh " << run;
        }
        auto* shown = const_cast<TBitmap*>(editor->PreviewBitmap());
        EXPECT_EQ(shown->Canvas()->Pixel(36, 12), RGB(225, 95, 165)); // the solid half inverted
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, AFlatPictureEnlargedInThePreviewStaysFlat) {
    TBitmap flat(40, 30, pf24bit);
    flat.Canvas()->Brush()->SetColor(RGB(200, 40, 40));
    flat.Canvas()->FillRect(Rect(0, 0, 40, 30));
    editor->SourceGraphic = &flat;
    edtest::RunModal(editor, [&](TCustomForm* f) {
        const TBitmap* shown = editor->PreviewBitmap();
        ASSERT_NE(shown, nullptr);
        ASSERT_GT(shown->Width(), 2 * flat.Width());
        int worst = 0;
        for (TColor c : PixelsOf(shown))
            worst = std::max({worst, std::abs(GetRValue(c) - 200), std::abs(GetGValue(c) - 40),
                              std::abs(GetBValue(c) - 40)});
        EXPECT_LE(worst, 2);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

// A filter that fails leaves the preview empty, not showing a bitmap made anew under it (the
// mirror doubles the result's height, so the next run makes a new one).
TEST_F(FiltersEditorTest, AFilterThatFailsLeavesThePreviewEmpty) {
    filters.Add<TMirrorFilter>();
    filters.Add<TFailingFilter>()->SetEnabled(false);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBScaled"));
        editor->FlushPreview();
        ASSERT_NE(editor->PreviewBitmap(), nullptr);
        EXPECT_EQ(editor->PreviewBitmap()->Height(), 2 * 48);
        filters.Items(1)->SetEnabled(true);
        editor->RefreshPreview();
        EXPECT_THROW(editor->FlushPreview(), EConvertError);
        EXPECT_EQ(editor->PreviewBitmap(), nullptr);
        filters.Items(1)->SetEnabled(false);
        editor->RefreshPreview();
        editor->FlushPreview();
        ASSERT_NE(editor->PreviewBitmap(), nullptr);
        EXPECT_EQ(editor->PreviewBitmap()->Height(), 2 * 48);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, TheRegionPageSetsTheFiltersRegion) {
    auto* invert = filters.Add<TInvertFilter>();
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_FALSE(invert->HasRegion()); // showing it makes none
        edtest::TypeInto(Part<TSpinEdit>(f, "EWidth"), "10");
        ASSERT_TRUE(invert->HasRegion());
        EXPECT_EQ(invert->Region()->Width, 10);
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
}

TEST_F(FiltersEditorTest, ThePictureEditorsButtonOpensIt) {
    TPlotPicture picture;
    picture.SetGraphic(MakeSource());
    TForm* host = new TForm(nullptr);
    host->SetBounds(0, 0, 280, 230);
    auto* pages = new TPageControl(host);
    pages->SetParent(host);
    pages->SetAlign(alClient);
    auto* sheet = new TTabSheet(host);
    sheet->SetPageControl(pages);
    host->Show();
    TBackImageEditor* pictureEditor = EmbedBackImageEditor(sheet);
    pictureEditor->LoadBackImage(&picture);
    ASSERT_TRUE(Part<TButton>(pictureEditor, "Button1")->Enabled());
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        AddByMenu(f, "Gray scale");
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
    edtest::ClickControl(Part<TButton>(pictureEditor, "Button1"));
    SetModalHook(old);
    ASSERT_EQ(picture.Filters()->Count(), 1);
    EXPECT_NE(dynamic_cast<TGrayScaleFilter*>(picture.Filters()->Items(0)), nullptr);
    host->Free();
}
