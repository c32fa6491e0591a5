// The routines every editor window shares: embedding a form in a tab sheet, the placed Yes/No
// question, and the cursor names with the library's own hand cursor.

#include "chart/editors/EditorRoutines.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

TEST(EditorRoutines, AnEmbeddedFormSitsNearTheSheetsTopLeft) {
    struct Case {
        int formHeight;
        int top;
    } cases[] = {{40, 4}, {98, 1}, {100, 0}, {130, 4}};
    for (const Case& c : cases) {
        TForm* host = new TForm(nullptr);
        host->SetBounds(0, 0, 300, 200);
        auto* pages = new TPageControl(host);
        pages->SetParent(host);
        auto* sheet = new TTabSheet(host);
        sheet->SetPageControl(pages);
        pages->SetBounds(0, 0, 300, 100 + (pages->Height() - sheet->ClientHeight()));
        ASSERT_EQ(sheet->ClientHeight(), 100);
        TForm* form = new TForm(host);
        form->SetBorderStyle(bsDialog);
        form->SetClientHeight(c.formHeight);
        EmbedFormInTab(form, sheet);
        EXPECT_EQ(form->Parent(), sheet);
        EXPECT_EQ(form->BorderStyle(), bsNone);
        EXPECT_EQ(form->Left(), 4);
        EXPECT_EQ(form->Top(), c.top) << c.formHeight;
        EXPECT_TRUE(form->Visible());
        host->Free();
    }
}

TEST(EditorRoutines, TheQuestionComesUnderTheListBox) {
    TForm* host = new TForm(nullptr);
    host->SetBounds(100, 50, 300, 200);
    auto* list = new TListBox(host);
    list->SetParent(host);
    list->SetBounds(10, 20, 100, 100);
    host->Show();
    edtest::AnswerMessages(mrYes);
    Screen->SetCursor(crHourGlass); // a busy cursor left over goes before the question
    EXPECT_TRUE(ConfirmDelete("Series1", list));
    EXPECT_EQ(Screen->Cursor(), crDefault);
    const TPoint origin = list->ClientOrigin();
    EXPECT_EQ(edtest::LastMessageRequest().Text, "Delete Series1 ?");
    EXPECT_EQ(edtest::LastMessageRequest().X, origin.X + 20);
    EXPECT_EQ(edtest::LastMessageRequest().Y, origin.Y + 30);
    edtest::AnswerMessages(mrNo);
    EXPECT_FALSE(ConfirmDialog("Go on?"));
    EXPECT_EQ(edtest::LastMessageRequest().X, -1);
    edtest::AnswerMessages(mrYes);
    host->Free();
}

TEST(EditorRoutines, CursorNamesIncludeThePlotHand) {
    TCursor cursor = crDefault;
    EXPECT_TRUE(PlotIdentToCursor("crPlotHand", cursor));
    EXPECT_EQ(cursor, 2020);
    EXPECT_TRUE(PlotIdentToCursor("crHourGlass", cursor));
    EXPECT_EQ(cursor, crHourGlass);
    EXPECT_FALSE(PlotIdentToCursor("12", cursor));
    EXPECT_FALSE(PlotIdentToCursor("crNoSuchCursor", cursor));
    std::string ident;
    EXPECT_TRUE(PlotCursorToIdent(2020, ident));
    EXPECT_EQ(ident, "crPlotHand");
    EXPECT_FALSE(PlotCursorToIdent(4711, ident));
    EXPECT_EQ(PlotCursorFromName(crArrow, "HandPoint"), crHandPoint);
    EXPECT_EQ(PlotCursorFromName(crArrow, "Nothing"), crArrow);
    EXPECT_EQ(RemoveCursorPrefix("crCross"), "Cross");
    EXPECT_EQ(RemoveCursorPrefix("Cross"), "Cross");

    TForm* host = new TForm(nullptr);
    auto* combo = new TComboBox(host);
    combo->SetParent(host);
    combo->Items()->Add("left over");
    FillCursorCombo(combo, 2020);
    EXPECT_EQ(combo->GetText(), "PlotHand");
    EXPECT_EQ(combo->ItemIndex(), combo->Items()->Count() - 1);
    EXPECT_EQ(combo->Items()->IndexOf("left over"), -1);
    EXPECT_EQ(combo->Items()->Get(0), "Default");
    FillCursorCombo(combo, 4711);
    EXPECT_EQ(combo->ItemIndex(), -1);
    host->Free();
}

TEST(EditorRoutines, ArrowGlyphsHoldTwoCells) {
    TBitmap up, down;
    LoadArrowGlyphs(up, down);
    for (TBitmap* glyph : {&up, &down}) {
        EXPECT_EQ(glyph->Width(), 24);
        EXPECT_EQ(glyph->Height(), 14);
    }
    // The normal cell's arrow is black, the disabled one is not.
    EXPECT_EQ(up.Canvas()->Pixel(6, 4), clBlack);
    EXPECT_NE(up.Canvas()->Pixel(18, 4), clBlack);
    EXPECT_EQ(down.Canvas()->Pixel(6, 8), clBlack);
}
