#include "spreadsheet/formats/FormattedObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

class TProbe : public TFormattedObjectNotify {
public:
    TProbe(TCellFormats& formats, int id)
        : TFormattedObjectNotify(formats, formats.Formats(15)), id_(id) {
        OnFormatChange = [this](TCellFormat* format, int identity) {
            ++changes;
            lastFormat = format;
            lastIdentity = identity;
        };
    }
    int NotifyIdentity() const override { return id_; }
    void FormatChanged() override { ++hooks; }

    int changes = 0;
    int hooks = 0;
    TCellFormat* lastFormat = nullptr;
    int lastIdentity = -1;

private:
    int id_;
};

struct Objects : ::testing::Test {
    TXFonts fonts;
    TCellFormats formats{fonts, true};
};

} // namespace

TEST_F(Objects, EqualValuesChangeNothing) {
    TProbe a(formats, 1);
    a.SetIndent(2);
    TCellFormat* entry = a.Format();
    const int usage = entry->UsageCount;
    const int count = formats.Count();
    a.SetIndent(2);
    a.SetIndent(0x102); // compared by the low byte
    a.SetFontSize(0);   // ignored below one point
    a.SetFontName(u"Arial");
    EXPECT_EQ(a.Format(), entry);
    EXPECT_EQ(entry->UsageCount, usage);
    EXPECT_EQ(formats.Count(), count);
    EXPECT_EQ(fonts.Count(), 5);
    EXPECT_EQ(a.FontSize(), 10);
}

TEST_F(Objects, NotifyFiresOnceWhenTheEntryMoves) {
    TProbe a(formats, 7), b(formats, 8);
    a.SetIndent(1);
    b.AssignFormat(*a.Format()); // both share one entry
    ASSERT_EQ(a.Format(), b.Format());
    a.changes = 0;
    a.hooks = 0;
    a.SetBorderBottomColor(xcRed);
    EXPECT_EQ(a.changes, 1);
    EXPECT_EQ(a.lastIdentity, 7);
    EXPECT_EQ(a.lastFormat, a.Format());
    EXPECT_NE(a.Format(), b.Format());
    EXPECT_EQ(b.GetBorderBottomColor(), 0);
    a.SetBorderBottomColor(xcRed);
    EXPECT_EQ(a.changes, 1);
    EXPECT_EQ(a.hooks, 2); // the hook runs for every setter
}

TEST_F(Objects, NotifySeesANewEntryAtTheSamePosition) {
    TProbe a(formats, 3);
    a.SetIndent(4); // a's own entry, the list's last
    const int position = a.FormatIndex();
    a.changes = 0;
    a.SetIndent(5); // released and replaced at the same position
    EXPECT_EQ(a.FormatIndex(), position);
    EXPECT_EQ(a.changes, 1);
    EXPECT_EQ(a.GetIndent(), 5);
}

TEST_F(Objects, FontSettersShareFonts) {
    TProbe a(formats, 1), b(formats, 2);
    a.SetFontStyle(1 << xfsBold);
    ASSERT_EQ(fonts.Count(), 6);
    EXPECT_EQ(a.FontIndex(), 5);
    EXPECT_EQ(fonts.Fonts(5)->UsageCount, 1);
    b.SetFontStyle(1 << xfsBold);
    EXPECT_EQ(b.FontIndex(), 5);
    EXPECT_EQ(fonts.Fonts(5)->UsageCount, 2);
    a.SetFontSize(12);
    EXPECT_EQ(a.FontSize20(), 240);
    EXPECT_EQ(a.FontStyle(), 1 << xfsBold);
    EXPECT_EQ(b.FontSize(), 10);
    b.SetFontColorRGB(0x0000FF);
    EXPECT_EQ(b.FontColorRGB(), 0x0000FFu);
    b.SetFontUnderline(xulDouble);
    b.SetFontSubSuperscript(xssSubscript);
    b.SetFontFamily(1);
    b.SetFontCharset(204);
    EXPECT_EQ(b.FontUnderline(), xulDouble);
    EXPECT_EQ(b.FontSubSuperscript(), xssSubscript);
    EXPECT_EQ(b.FontFamily(), 1);
    EXPECT_EQ(b.FontCharset(), 204);
    EXPECT_EQ(a.FontStyle(), 1 << xfsBold);
    EXPECT_EQ(a.FontSize(), 12);
}

// Fonts are deleted only when nothing refers to them: objects change fonts at random, and each
// must keep showing the font it was given, through an entry that points inside the font list.
TEST_F(Objects, RandomFontChangesNeverLeaveAnEntryOnAWrongFont) {
    struct Wanted {
        std::u16string name = u"Arial";
        int size = 10;
        TXFontStyles style = 0;
    };
    std::mt19937 rng(42);
    const std::u16string names[] = {u"Arial", u"Tahoma", u"Verdana"};
    std::vector<std::unique_ptr<TProbe>> objects;
    std::vector<Wanted> model(12);
    for (int i = 0; i < 12; ++i)
        objects.push_back(std::make_unique<TProbe>(formats, i));
    for (int step = 0; step < 4000; ++step) {
        const size_t k = rng() % objects.size();
        TProbe& o = *objects[k];
        const unsigned op = rng() % 5;
        switch (op) {
        case 0:
            model[k].name = names[rng() % 3];
            o.SetFontName(model[k].name);
            break;
        case 1:
            model[k].size = 8 + static_cast<int>(rng() % 3);
            o.SetFontSize(model[k].size);
            break;
        case 2:
            model[k].style = static_cast<TXFontStyles>(rng() % 4);
            o.SetFontStyle(model[k].style);
            break;
        case 3: { // take over another object's format
            const size_t from = rng() % objects.size();
            o.AssignFormat(*objects[from]->Format());
            model[k] = model[from];
            break;
        }
        default:
            o.SetIndent(static_cast<int>(rng() % 3));
        }
        for (size_t i = 0; i < objects.size(); ++i) {
            ASSERT_LT(objects[i]->FontIndex(), fonts.Count()) << "step " << step;
            ASSERT_EQ(objects[i]->FontName(), model[i].name) << "step " << step;
            ASSERT_EQ(objects[i]->FontSize(), model[i].size) << "step " << step;
            ASSERT_EQ(objects[i]->FontStyle(), model[i].style) << "step " << step;
        }
        for (int f = 0; f < fonts.Count(); ++f)
            ASSERT_EQ(fonts.Fonts(f)->Index, f);
    }
    EXPECT_LT(fonts.Count(), 5 + 3 * 3 * 4 + 1);
}

TEST_F(Objects, FormatSettersReachTheEntry) {
    TProbe a(formats, 1);
    a.SetFillPatternForeColor(10);
    a.SetBorderLeftStyle(cbsThick);
    a.SetBorderDiagLines(cdlDown | cdlUp);
    a.SetRotation(-30);
    a.SetNumberFormat(u"0.0");
    a.SetHorizAlignment(2);
    a.SetProtection(cpHidden);
    EXPECT_EQ(a.GetFillPattern(), efpSolid);
    EXPECT_EQ(a.GetFillPatternBackColor(), xcWhite);
    EXPECT_EQ(a.GetBorderLeftStyle(), cbsThick);
    EXPECT_EQ(a.GetBorderDiagLines(), cdlDown | cdlUp);
    EXPECT_EQ(a.GetRotation(), -30);
    EXPECT_EQ(a.GetNumberFormat(), u"0.0");
    EXPECT_EQ(a.GetHorizAlignment(), 2);
    EXPECT_EQ(a.GetProtection(), cpHidden);
    EXPECT_EQ(formats.Formats(15)->GetRotation(), 0); // the default entry stays
}

TEST_F(Objects, AssigningTheOwnEntryKeepsIt) {
    TProbe a(formats, 1);
    a.SetIndent(4); // an entry of its own, freed when its last user lets go
    const int count = formats.Count();
    a.AssignFormat(*a.Format());
    EXPECT_EQ(a.GetIndent(), 4);
    EXPECT_EQ(a.Format()->UsageCount, 1);
    EXPECT_EQ(formats.Count(), count);
}
