#include "spreadsheet/drawing/EscherGroup.h"

#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/core/MD4Hash.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/png/PngPicture.h"

#include <algorithm>
#include <random>

uint8_t PictureTypeOfFile(const std::string& fileName) {
    std::string ext = ExtractFileExt(fileName);
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    ext = AnsiUpperCase(ext);
    static const std::pair<const char*, uint8_t> kTypes[] = {
        {"WMF", ptWMF},   {"EMF", ptEMF}, {"PICT", ptPICT}, {"JPG", ptJPEG},
        {"JPEG", ptJPEG}, {"PNG", ptPNG}, {"BMP", ptDIB}};
    for (const auto& [name, type] : kTypes)
        if (ext == name)
            return type;
    throw Exception("Unknown picture type " + ext);
}

void TMSOPicture::SetFilename(const std::string& value) {
    for (int i = 0; i < Collection()->Count(); ++i)
        if (AnsiSameText(static_cast<TMSOPicture*>(Collection()->Items(i))->filename_, value))
            throw Exception("A picture with this name already exists.");
    const uint8_t type = PictureTypeOfFile(value);
    TFileStream file(value, fmOpenRead);
    LoadFromStream(file, value, type);
}

void TMSOPicture::LoadFromStream(TStream& stream, const std::string& fileName, uint8_t type) {
    std::vector<uint8_t> bytes(
        static_cast<size_t>(std::max<int64_t>(stream.Size() - stream.Position(), 0)));
    if (!bytes.empty())
        stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    std::string name = fileName;
    if (AnsiUpperCase(ExtractFileExt(fileName)) == ".BMP" && bytes.size() > 255) {
        TBitmap bitmap;
        bitmap.LoadFromBytes(bytes);
        TPngPicture png;
        png.Assign(bitmap);
        bytes = png.SaveToBytes();
        name = name.substr(0, name.size() - 3) + "png";
        type = ptPNG;
    }
    if (type == ptDIB) {
        if (bytes.size() < 14)
            throw Exception("Invalid bitmap file");
        bytes.erase(bytes.begin(), bytes.begin() + 14);
    }
    filename_ = name;
    PictureType = type;
    RefCount = 0;
    Data = std::move(bytes);
    TMD4Hash md4;
    md4.Init();
    md4.Update(Data.data(), static_cast<int>(Data.size()));
    md4.Final(Digest.data());
}

void TMSOPicture::DeclareProperties(TPropertyList& p) {
    p.AddFn<TMSOPicture>(
        "Filename", [](TMSOPicture* t) { return t->Filename(); },
        [](TMSOPicture* t, std::string v) { t->SetFilename(v); });
}

TEscherGroup::TEscherGroup(TPersistent* owner) : TCollection(TMSOPicture::StaticClass(), owner) {
    NewTextId = [] {
        static std::mt19937 rng(std::random_device{}());
        return static_cast<uint32_t>(std::uniform_int_distribution<int>(0, 65534)(rng)) +
               static_cast<uint32_t>(GetTickCount());
    };
}

TEscherGroup::~TEscherGroup() = default;

void TEscherGroup::AddDrawing(TEscherDrawing& drawing) {
    if (FirstDrawing == 0) {
        DefaultProperties.AddValue(0x00BF, 0x00080008);
        DefaultProperties.AddValue(0x0181, 0x08000041);
        DefaultProperties.AddValue(0x01C0, 0x08000040);
        SplitMenuColors = {0x0800000D, 0x0800000C, 0x08000017, 0x100000F7};
        FirstDrawing = 1;
    }
    uint32_t id = 1;
    for (const TDGGData& e : DGG)
        id = std::max(id, e.DrawingId + 1);
    DGG.push_back({id, 0, &drawing, true});
    ClusterCounter += 1024;
    drawing.DrawingId = static_cast<uint16_t>(id);
    drawing.CurrentShapeId = ClusterCounter;
    ++SavedDrawings;
}

void TEscherGroup::RegisterDrawing(TEscherDrawing& drawing) {
    for (TDGGData& e : DGG)
        if (e.DrawingId == drawing.DrawingId) {
            e.Drawing = &drawing;
            e.Changed = false;
            return;
        }
    DGG.push_back(
        {drawing.DrawingId, static_cast<uint32_t>(drawing.ShapeCount()), &drawing, false});
    SavedDrawings = std::max<uint32_t>(SavedDrawings, static_cast<uint32_t>(DGG.size()));
}

void TEscherGroup::FlagDrawingChanged(uint32_t id) {
    for (TDGGData& e : DGG)
        if (e.DrawingId == id) {
            e.Changed = true;
            return;
        }
    throw Exception("Can not update FIDCL for DgId #" + std::to_string(id));
}

void TEscherGroup::RemoveDrawing(uint32_t id) {
    for (auto it = DGG.begin(); it != DGG.end(); ++it)
        if (it->DrawingId == id) {
            DGG.erase(it);
            --SavedDrawings;
            return;
        }
    if (!DGG.empty())
        throw Exception("Can not delete FIDCL for DgId #" + std::to_string(id));
}

const TDGGData* TEscherGroup::Entry(uint32_t id) const {
    for (const TDGGData& e : DGG)
        if (e.DrawingId == id)
            return &e;
    return nullptr;
}
