#pragma once
// The workbook's drawing group: it numbers the drawings of the sheets, hands each a cluster of
// 1024 shape ids, keeps the group's default properties, and is the workbook's picture store.
//
// Drawing ids stay unique: a new drawing takes one more than the highest id in use.

#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"
#include "spreadsheet/drawing/MsoRecords.h"
#include "spreadsheet/drawing/OPT.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TEscherDrawing;
class TStream;

// Picture kinds of the picture store.
enum : uint8_t {
    ptEMF = 2,
    ptWMF = 3,
    ptPICT = 4,
    ptJPEG = 5,
    ptPNG = 6,
    ptDIB = 7,
};

// The kind of a picture file by its extension; raises "Unknown picture type " + the extension.
uint8_t PictureTypeOfFile(const std::string& fileName);

class TMSOPicture : public TCollectionItem {
    Q4_CLASS(TMSOPicture, TCollectionItem)
    explicit TMSOPicture(TCollection* collection) : TCollectionItem(collection) {}

    const std::string& Filename() const { return filename_; }
    // Raises "A picture with this name already exists." when a picture of the store has the
    // name (ignoring case); otherwise loads the file.
    void SetFilename(const std::string& value);
    // A bitmap of more than 255 bytes is stored as PNG; a smaller one without its 14-byte file
    // header (one shorter than that header raises "Invalid bitmap file").
    void LoadFromStream(TStream& stream, const std::string& fileName, uint8_t type);
    std::string DisplayName() const override { return "Picture " + std::to_string(ID()); }

    std::vector<uint8_t> Data;
    uint8_t PictureType = 0;
    int32_t RefCount = 0;
    std::array<uint8_t, 16> Digest{};
    int32_t StoreIndex = 0;

    static void DeclareProperties(TPropertyList& p);

private:
    std::string filename_;
};

struct TDGGData {
    uint32_t DrawingId = 0;
    uint32_t ShapesUsed = 0;
    TEscherDrawing* Drawing = nullptr;
    bool Changed = false;
};

class TEscherGroup : public TCollection {
    Q4_CLASS(TEscherGroup, TCollection)
    explicit TEscherGroup(TPersistent* owner = nullptr);
    ~TEscherGroup() override;

    TMSOPicture* Add() { return static_cast<TMSOPicture*>(TCollection::Add()); }
    TMSOPicture* Items(int index) const { return Item<TMSOPicture>(index); }

    // Gives a new drawing its id and its first shape id (the next cluster of 1024).
    void AddDrawing(TEscherDrawing& drawing);
    // Enters a drawing that was read with its own id.
    void RegisterDrawing(TEscherDrawing& drawing);
    // Raises "Can not update FIDCL for DgId #n" for an id without entry.
    void FlagDrawingChanged(uint32_t id);
    // Raises "Can not delete FIDCL for DgId #n" for an id without entry (when there are any).
    void RemoveDrawing(uint32_t id);
    const TDGGData* Entry(uint32_t id) const;

    // A text id for a new text shape: random below 65535 plus the tick count (replaceable).
    std::function<uint32_t()> NewTextId;

    std::vector<TDGGData> DGG;
    uint32_t FirstDrawing = 0;
    uint32_t SavedDrawings = 0;
    TOPT DefaultProperties;
    std::array<uint32_t, 4> SplitMenuColors{};
    TMSORecords OtherRecords;
    uint32_t ClusterCounter = 0;
};

using TMSOPictures = TEscherGroup;
