// The library's start-up and shut-down: what each unit makes is there after start-up and gone
// after shut-down, and starting twice or stopping without a start changes nothing.

#include "spreadsheet/SpreadsheetUnits.h"

#include "platform/graphics/Picture.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/png/PngPicture.h"
#include "spreadsheet/tables/HtmlNames.h"
#include "spreadsheet/tables/OfficeXmlNames.h"

#include <gtest/gtest.h>

namespace {

bool PngRegistered() {
    const std::optional<TGraphicFormat> format = TPicture::FormatForExtension("png");
    if (!format || !format->create)
        return false;
    const std::unique_ptr<TGraphic> graphic = format->create();
    return dynamic_cast<TPngPicture*>(graphic.get()) != nullptr;
}

TEST(SpreadsheetUnits, StartUpMakesWhatShutDownTakesAway) {
    FinalizeSpreadsheetLibrary(); // nothing started: nothing happens
    TPicture::UnregisterFileFormat("png");
    ASSERT_FALSE(PngRegistered());

    InitializeSpreadsheetLibrary();
    EXPECT_TRUE(PngRegistered());
    EXPECT_EQ(TPicture::FormatForExtension("PNG")->description, "Portable Network Graphics");
    EXPECT_EQ(MaxCol, 16383);
    EXPECT_EQ(MaxRow, 1048575);
    char16_t code = 0;
    EXPECT_TRUE(FindHtmlEntity("euro", code));
    EXPECT_EQ(code, 8364);
    EXPECT_EQ(HtmlEscapes().size(), 100u);
    EXPECT_EQ(XmlFillPatternIndex(u"solid"), 1);
    // A second start-up runs nothing twice.
    InitializeSpreadsheetLibrary();
    EXPECT_EQ(HtmlEscapes().size(), 100u);

    FinalizeSpreadsheetLibrary();
    EXPECT_FALSE(PngRegistered());
    EXPECT_FALSE(TPicture::FormatForExtension("png").has_value());
    EXPECT_FALSE(FindHtmlEntity("euro", code));
    EXPECT_TRUE(HtmlEscapes().empty());
    EXPECT_EQ(XmlFillPatternIndex(u"solid"), -1);

    // And again, as a program that starts the library a second time would.
    InitializeSpreadsheetLibrary();
    EXPECT_TRUE(PngRegistered());
    FinalizeSpreadsheetLibrary();
    EXPECT_FALSE(PngRegistered());
}

} // namespace
