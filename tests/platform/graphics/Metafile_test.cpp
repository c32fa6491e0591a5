// Metafiles: what a metafile canvas records plays back to the pixels the same drawing puts on a
// bitmap, the files hold together as readers expect them to, and data from outside either loads
// or is refused cleanly.

#include "GraphicsTestSupport.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Metafile.h"
#include "platform/graphics/MetafileFormat_p.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

using namespace gfxtest;

namespace {

constexpr int kW = 160;
constexpr int kH = 120;

// Shapes, fills, pens, clipping, a path and a picture: everything but text and clip regions
// of more than one rectangle, which the older format cannot hold exactly.
void DrawShapes(TCanvas& c) {
    c.Pen()->SetColor(clNavy);
    c.Brush()->SetColor(clYellow);
    c.Rectangle(5, 5, 60, 40);
    c.Brush()->SetStyle(bsDiagCross);
    c.Brush()->SetColor(clRed);
    c.Ellipse(65, 5, 120, 45);
    c.Brush()->SetStyle(bsSolid);
    c.Pen()->SetStyle(psDash);
    c.RoundRect(5, 45, 60, 80, 12, 12);
    c.Pen()->SetStyle(psSolid);
    c.Pen()->SetWidth(5);
    c.Pen()->SetGeometric(true);
    c.Pen()->SetEndCap(pecFlat);
    c.Polyline({{70, 60}, {100, 50}, {130, 70}});
    c.Pen()->SetWidth(1);
    c.Pen()->SetGeometric(false);
    c.Brush()->SetColor(clLime);
    c.SetPolyFillMode(WINDING);
    c.Polygon({{125, 10}, {155, 40}, {125, 40}, {150, 12}});
    c.Pie(10, 85, 50, 118, 50, 100, 10, 100);
    c.Arc(55, 85, 95, 118, 95, 100, 55, 100);
    c.Brush()->SetColor(clTeal);
    c.FillRect({100, 80, 120, 95});
    c.Brush()->SetColor(clMaroon);
    c.FrameRect({125, 80, 150, 95});
    c.IntersectClipRect({100, 98, 130, 115});
    c.Brush()->SetColor(clFuchsia);
    c.Rectangle(95, 96, 140, 119);
    c.SelectClipRegion(nullptr);
    c.SetPixel(155, 115, clRed);
    auto picture = WhiteBitmap(6, 4);
    picture->Canvas()->Brush()->SetColor(clBlue);
    picture->Canvas()->FillRect({0, 0, 3, 4});
    c.Draw(140, 100, picture.get());
    c.Pen()->SetColor(clGreen);
    c.Brush()->SetColor(clSilver);
    c.BeginPath();
    c.MoveTo(62, 82);
    c.LineTo(90, 82);
    c.LineTo(76, 70);
    c.CloseFigure();
    c.EndPath();
    c.StrokeAndFillPath();
}

void DrawText(TCanvas& c) {
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-14);
    c.Font()->SetColor(clMaroon);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(5, 5, "Метафайл 42");
    c.Font()->SetStyle({fsBold});
    c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clYellow);
    c.TextOut(150, 60, "Right");
}

// The scene drawn straight on a white bitmap.
QImage Direct(const std::function<void(TCanvas&)>& scene) {
    auto bmp = WhiteBitmap(kW, kH);
    scene(*bmp->Canvas());
    return TGraphicsQt::Image(*bmp).convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<TMetafile> Recorded(const std::function<void(TCanvas&)>& scene,
                                    bool enhanced = true) {
    auto metafile = std::make_unique<TMetafile>();
    metafile->SetEnhanced(enhanced);
    TMetafileCanvas canvas(*metafile, kW, kH);
    scene(canvas);
    return metafile;
}

// The metafile played on a white bitmap of its size.
QImage Played(const TMetafile& metafile) {
    auto bmp = WhiteBitmap(kW, kH);
    metafile.Draw(bmp->Canvas(), {0, 0, kW, kH});
    return TGraphicsQt::Image(*bmp).convertToFormat(QImage::Format_RGB32);
}

int Differences(const QImage& a, const QImage& b) {
    int n = 0;
    TRect box{a.width(), a.height(), 0, 0};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++n;
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
            }
    if (n != 0)
        ADD_FAILURE() << "differing pixels within " << box.Left << "," << box.Top << " - "
                      << box.Right << "," << box.Bottom;
    return n;
}

// The enhanced file's records as a reader meets them; checks the object table on the way: every
// selected handle exists, and no object is deleted while the state or a saved state holds it.
std::vector<std::uint32_t> CheckedEmfRecords(const std::vector<std::uint8_t>& data) {
    using namespace metafile;
    const TParsedFile file = ParseMetafile(data);
    TByteReader header = file.records.at(0).Reader();
    header.Seek(48);
    EXPECT_EQ(header.U32(), data.size()) << "the header's file size";
    EXPECT_EQ(header.U32(), file.records.size()) << "the header's record count";
    const std::uint32_t handles = header.U16();
    std::set<std::uint32_t> live;
    std::vector<std::vector<std::uint32_t>> saved;
    std::vector<std::uint32_t> selected(3, 0); // pen, brush, font
    std::map<std::uint32_t, int> kindOf;
    std::vector<std::uint32_t> types;
    for (const TRecord& r : file.records) {
        types.push_back(r.type);
        TByteReader in = r.Reader();
        in.Seek(8);
        switch (r.type) {
        case EMR_CREATEPEN:
        case EMR_EXTCREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_CREATEDIBPATTERNBRUSHPT:
        case EMR_EXTCREATEFONTINDIRECTW: {
            const std::uint32_t h = in.U32();
            EXPECT_LT(h, handles);
            EXPECT_TRUE(live.insert(h).second) << "slot " << h << " made twice";
            kindOf[h] = r.type == EMR_EXTCREATEFONTINDIRECTW                      ? 2
                        : (r.type == EMR_CREATEPEN || r.type == EMR_EXTCREATEPEN) ? 0
                                                                                  : 1;
            break;
        }
        case EMR_SELECTOBJECT: {
            const std::uint32_t h = in.U32();
            if (h & kStockObject) {
                const std::uint32_t stock = h & ~kStockObject;
                selected[stock <= 5 ? 1 : stock <= 8 ? 0 : 2] = 0;
                break;
            }
            EXPECT_TRUE(live.count(h)) << "selects missing object " << h;
            selected[static_cast<std::size_t>(kindOf[h])] = h;
            break;
        }
        case EMR_DELETEOBJECT: {
            const std::uint32_t h = in.U32();
            EXPECT_TRUE(live.erase(h)) << "deletes missing object " << h;
            for (const auto& state : saved)
                EXPECT_EQ(std::count(state.begin(), state.end(), h), 0) << "deletes a saved one";
            EXPECT_EQ(std::count(selected.begin(), selected.end(), h), 0)
                << "deletes a selected one";
            break;
        }
        case EMR_SAVEDC:
            saved.push_back(selected);
            break;
        case EMR_RESTOREDC:
            EXPECT_FALSE(saved.empty());
            if (!saved.empty()) {
                selected = saved.back();
                saved.pop_back();
            }
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(types.back(), EMR_EOF);
    return types;
}

} // namespace

TEST(Metafile, PlaysBackThePixelsOfTheDrawingThatMadeIt) {
    const QImage direct = Direct(DrawShapes);
    for (bool enhanced : {true, false}) {
        SCOPED_TRACE(enhanced ? "enhanced" : "windows");
        const auto metafileHolder = Recorded(DrawShapes, enhanced);
        const TMetafile& metafile = *metafileHolder;
        EXPECT_EQ(metafile.Width(), kW);
        EXPECT_EQ(metafile.Height(), kH);
        const QImage played = Played(metafile);
        EXPECT_EQ(Differences(direct, played), 0) << Dump(played, enhanced ? "emf" : "wmf");
    }
}

TEST(Metafile, TextPlaysBackInItsFontColourAndPlace) {
    const QImage direct = Direct(DrawText);
    const auto metafileHolder = Recorded(DrawText);
    const TMetafile& metafile = *metafileHolder;
    const QImage played = Played(metafile);
    EXPECT_EQ(Differences(direct, played), 0) << Dump(played);
    EXPECT_EQ(InkBox(played, clWhite), InkBox(direct, clWhite));
    EXPECT_GT(Count(played, clMaroon), 50);
}

TEST(Metafile, AClipOfSeveralRectanglesHoldsInTheEnhancedFile) {
    auto scene = [](TCanvas& c) {
        TRegion ring = TRegion::Ellipse({20, 20, 140, 100});
        ring.Combine(TRegion::Ellipse({50, 40, 110, 80}), RGN_DIFF);
        c.SelectClipRegion(&ring);
        c.Brush()->SetColor(clBlue);
        c.FillRect({0, 0, kW, kH});
    };
    const QImage direct = Direct(scene);
    const auto metafileHolder = Recorded(scene);
    const TMetafile& metafile = *metafileHolder;
    EXPECT_EQ(Differences(direct, Played(metafile)), 0);
    const auto types = CheckedEmfRecords(metafile.SaveToBytes());
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_EXTSELECTCLIPRGN), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_BITBLT), 1);
}

TEST(Metafile, EnhancedFileHoldsTogether) {
    const auto metafileHolder = Recorded([](TCanvas& c) {
        DrawShapes(c);
        DrawText(c);
    });
    const TMetafile& metafile = *metafileHolder;
    const std::vector<std::uint8_t> data = metafile.SaveToBytes();
    const auto types = CheckedEmfRecords(data);
    EXPECT_EQ(metafile.RecordCount(), static_cast<int>(types.size()));
    // Objects are made only when the drawing changes them.
    EXPECT_LT(std::count(types.begin(), types.end(), metafile::EMR_CREATEBRUSHINDIRECT), 12);
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_EXTCREATEFONTINDIRECTW), 2);
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_EXTTEXTOUTW), 2);
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_STRETCHDIBITS), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), metafile::EMR_SAVEDC),
              std::count(types.begin(), types.end(), metafile::EMR_RESTOREDC));
}

TEST(Metafile, WindowsFileHasAPlaceableHeaderWithItsChecksum) {
    auto metafileHolder = Recorded(DrawShapes);
    TMetafile& metafile = *metafileHolder;
    metafile.SetEnhanced(false); // made from the enhanced records by playing them
    const std::vector<std::uint8_t> data = metafile.SaveToBytes();
    ASSERT_GT(data.size(), 40u);
    metafile::TByteReader in(data.data(), data.size());
    EXPECT_EQ(in.U32(), metafile::kPlaceableKey);
    std::uint16_t sum = 0;
    in.Seek(0);
    for (int i = 0; i < 10; ++i)
        sum ^= in.U16();
    EXPECT_EQ(in.U16(), sum);
    in.Seek(10);
    EXPECT_EQ(in.I16(), kW);
    EXPECT_EQ(in.I16(), kH);
    EXPECT_EQ(in.U16(), 96);
    in.Seek(22 + 6);
    EXPECT_EQ(in.U32() * 2 + 22, data.size()) << "the header's size in words";

    TMetafile loaded;
    loaded.LoadFromBytes(data);
    EXPECT_FALSE(loaded.Enhanced());
    EXPECT_EQ(loaded.Width(), kW);
    EXPECT_EQ(Differences(Direct(DrawShapes), Played(loaded)), 0);
}

TEST(Metafile, StretchesIntoTheRectangleItIsDrawnIn) {
    const auto metafileHolder = Recorded([](TCanvas& c) {
        c.Brush()->SetColor(clRed);
        c.FillRect({0, 0, kW / 2, kH});
    });
    const TMetafile& metafile = *metafileHolder;
    auto bmp = WhiteBitmap(2 * kW + 20, 2 * kH + 20);
    metafile.Draw(bmp->Canvas(), {10, 10, 10 + 2 * kW, 10 + 2 * kH});
    const QImage& image = TGraphicsQt::Image(*bmp);
    EXPECT_EQ(InkBox(image, clWhite), (TRect{10, 10, 10 + kW, 10 + 2 * kH}));
}

TEST(Metafile, LoadsThroughPicturesByExtensionAndStoresItsData) {
    auto madeHolder = Recorded(DrawShapes);
    TMetafile& made = *madeHolder;
    const std::string path = Dump(Played(made), "tmp") + ".emf";
    made.SaveToFile(path);
    TPicture picture;
    picture.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), kW);

    TMemoryStream stream;
    made.WriteData(stream);
    stream.Seek(0, soBeginning);
    TMetafile read;
    read.ReadData(stream);
    EXPECT_EQ(read.SaveToBytes(), made.SaveToBytes());
}

// Whatever bytes come from outside: a file refused with the picture error, or one that loads and
// plays without reading outside its records.
TEST(Metafile, DamagedFilesAreRefusedCleanly) {
    const std::vector<std::uint8_t> good = Recorded(DrawShapes)->SaveToBytes();
    const std::vector<std::uint8_t> goodWmf = Recorded(DrawShapes, false)->SaveToBytes();
    int refused = 0;
    for (const auto* file : {&good, &goodWmf}) {
        for (std::size_t cut = 0; cut < file->size(); cut += 7) {
            std::vector<std::uint8_t> data(file->begin(), file->begin() + cut);
            TMetafile m;
            try {
                m.LoadFromBytes(data);
                Played(m);
            } catch (const EInvalidGraphic&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);

    auto corrupt = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> data = good;
        for (int i = 0; i < 4; ++i)
            data[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return data;
    };
    const std::size_t firstRecord = good[4] | good[5] << 8;
    const std::vector<std::vector<std::uint8_t>> bad = {
        corrupt(4, 0xFFFFFFF0u),     // header larger than the file
        corrupt(48, 0x7FFFFFFFu),    // file size beyond the data
        corrupt(firstRecord + 4, 3), // first record size not a multiple of 4
        corrupt(24, 0x7FFFFFF0u),    // a frame of absurd size
        {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 9, 0},
    };
    for (const auto& data : bad) {
        TMetafile m;
        EXPECT_THROW(m.LoadFromBytes(data), EInvalidGraphic);
    }
}

// A picture record may name any source rectangle: only the part inside its bitmap is copied, to
// the matching part of the target, and numbers near the ends of int neither overflow nor ask
// for a copy larger than the bitmap.
TEST(Metafile, PictureSourcesBeyondTheirBitmapCopyOnlyTheBitmap) {
    const auto made = Recorded([](TCanvas& c) {
        auto picture = WhiteBitmap(6, 4);
        picture->Canvas()->Brush()->SetColor(clBlue);
        picture->Canvas()->FillRect({0, 0, 6, 4});
        c.StretchDraw({20, 20, 80, 60}, picture.get());
    });
    const std::vector<std::uint8_t> good = made->SaveToBytes();
    std::size_t at = 0;
    for (const metafile::TRecord& r : metafile::ParseMetafile(good).records)
        if (r.type == metafile::EMR_STRETCHDIBITS)
            at = static_cast<std::size_t>(r.data - good.data());
    ASSERT_NE(at, 0u);
    // The bitmap in the record (the pixels the drawing put) and its size.
    metafile::TByteReader record(good.data() + at, good.size() - at);
    record.Seek(40);
    const std::int32_t bw = record.I32(), bh = record.I32();
    auto withSource = [&](std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
        std::vector<std::uint8_t> data = good;
        const std::int32_t values[] = {x, y, w, h};
        for (int i = 0; i < 4; ++i)
            for (int b = 0; b < 4; ++b)
                data[at + 32 + static_cast<std::size_t>(4 * i + b)] =
                    static_cast<std::uint8_t>(static_cast<std::uint32_t>(values[i]) >> (8 * b));
        TMetafile m;
        m.LoadFromBytes(data);
        return Played(m);
    };
    // As recorded: the whole picture stretched over the target.
    EXPECT_EQ(InkBox(withSource(0, 0, bw, bh), clWhite), (TRect{20, 20, 80, 60}));
    // The source twice the bitmap's width: the bitmap fills the left half of the target.
    EXPECT_EQ(InkBox(withSource(0, 0, 2 * bw, bh), clWhite), (TRect{20, 20, 50, 60}));
    // Starting left of the bitmap: the bitmap lands in the right half.
    EXPECT_EQ(InkBox(withSource(-bw, 0, 2 * bw, bh), clWhite), (TRect{50, 20, 80, 60}));
    for (const auto& extreme :
         {std::array<std::int32_t, 4>{0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0},
          std::array<std::int32_t, 4>{-0x7FFFFFF0, 0, 0x7FFFFFFF, 4},
          std::array<std::int32_t, 4>{0, 0, 1 << 30, 1 << 30}}) {
        const QImage played = withSource(extreme[0], extreme[1], extreme[2], extreme[3]);
        const TRect ink = InkBox(played, clWhite);
        if (ink.Right > ink.Left) {
            EXPECT_GE(ink.Left, 20);
            EXPECT_LE(ink.Right, 80);
        }
    }
}
