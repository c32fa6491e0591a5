#include "spreadsheet/records/RecordStorage.h"

#include "platform/rtl/Streams.h"
#include "spreadsheet/records/BIFFStream.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

std::vector<uint16_t> Ids(const TBaseRecordStorage& list) {
    std::vector<uint16_t> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids.push_back(list.Items(i) ? list.Items(i)->Id() : 0);
    return ids;
}

int NonNull(const TBaseRecordStorage& list) {
    int n = 0;
    for (int i = 0; i < list.Count(); ++i)
        n += list.Items(i) != nullptr;
    return n;
}

std::vector<uint8_t> Body(const TRawRecord& r) {
    return {r.Body(), r.Body() + r.Length()};
}

} // namespace

TEST(RecordStorage, DefaultsInFileOrder) {
    TRecordStorageGlobals globals;
    TRecordStorageSheet sheet;
    EXPECT_EQ(globals.Count(), 0);
    EXPECT_EQ(globals.Defaults().Count(), 25);
    EXPECT_EQ(sheet.Count(), 0);
    EXPECT_EQ(sheet.Defaults().Count(), 28);
    EXPECT_EQ(Ids(globals.Defaults()),
              (std::vector<uint16_t>{0x0809, 0x005C, 0x0042, 0x0161, 0x013D, 0x009C, 0x0019,
                                     0x0012, 0x0013, 0x01AF, 0x003D, 0x0040, 0x008D, 0x0022,
                                     0x000E, 0x01B7, 0x00DA, 0x8001, 0x8002, 0x008C, 0x01C1,
                                     0x8003, 0x8004, 0x8005, 0x000A}));
    EXPECT_EQ(Ids(sheet.Defaults()),
              (std::vector<uint16_t>{0x0809, 0x000D, 0x000C, 0x000F, 0x0011, 0x0010, 0x005F,
                                     0x002B, 0x002A, 0x0082, 0x0080, 0x0225, 0x0081, 0x8101,
                                     0x8102, 0x8103, 0x0083, 0x0084, 0x00A1, 0x0012, 0x0055,
                                     0x0200, 0x8104, 0x8105, 0x023E, 0x8106, 0x001D, 0x000A}));
    EXPECT_EQ(globals.StoreKind(), 0);
    EXPECT_EQ(sheet.StoreKind(), -1);
}

// Bodies checked byte for byte against the published layouts.
TEST(RecordStorage, DefaultBodies) {
    TRecordStorageGlobals globals;
    TRecordStorageSheet sheet;
    EXPECT_EQ(Body(globals.BOF()),
              (std::vector<uint8_t>{0x00, 0x06, 0x05, 0x00, 0x02, 0x10, 0xCD, 0x07, 0xC9, 0x80, 0,
                                    0, 0x06, 0x01, 0, 0}));
    EXPECT_EQ(Body(sheet.BOF()), (std::vector<uint8_t>{0x00, 0x06, 0x10, 0x00, 0xAF, 0x18, 0xCD,
                                                       0x07, 0xC9, 0x80, 0, 0, 0x06, 0x01, 0, 0}));
    EXPECT_EQ(Body(globals.WINDOW1()),
              (std::vector<uint8_t>{100, 0, 100, 0, 0x10, 0x27, 0x58, 0x1B, 0x38, 0, 0, 0, 0, 0, 1,
                                    0, 0x58, 0x02}));
    const auto access = Body(globals.WRITEACCESS());
    ASSERT_EQ(access.size(), 112u);
    EXPECT_EQ(access[0] | access[1] | access[2], 0);
    EXPECT_EQ(std::count(access.begin(), access.end(), 0x20), 109);
    EXPECT_EQ(Body(globals.RECALCID()),
              (std::vector<uint8_t>{0xC1, 0x01, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
    EXPECT_EQ(Body(globals.COUNTRY()), (std::vector<uint8_t>{1, 0, 46, 0}));
    EXPECT_EQ(globals.Word(recCODEPAGE), 1200);
    EXPECT_EQ(globals.Word(recFNGROUPCOUNT), 14);
    EXPECT_TRUE(globals.Flag(recPRECISION));

    EXPECT_DOUBLE_EQ(sheet.Record(recDELTA).DoubleAt(0), 0.001);
    EXPECT_EQ(sheet.Word(recWSBOOL), 0x04C1);
    EXPECT_EQ(sheet.Word(recCALCCOUNT), 100);
    EXPECT_EQ(Body(sheet.DEFAULTROWHEIGHT()), (std::vector<uint8_t>{0, 0, 255, 0}));
    const TRawRecord& setup = sheet.SETUP();
    ASSERT_EQ(setup.Length(), 34);
    EXPECT_EQ((std::vector<int>{setup.WordAt(0), setup.WordAt(2), setup.WordAt(4), setup.WordAt(6),
                                setup.WordAt(8), setup.WordAt(10), setup.WordAt(12),
                                setup.WordAt(14), setup.WordAt(32)}),
              (std::vector<int>{0, 100, 1, 1, 1, 0x06B6, 600, 600, 0}));
    EXPECT_EQ(setup.DoubleAt(16), 0.5);
    EXPECT_EQ(setup.DoubleAt(24), 0.5);
    EXPECT_EQ(Body(sheet.DIMENSIONS()), std::vector<uint8_t>(14, 0));
    EXPECT_EQ(Body(sheet.WINDOW2()),
              (std::vector<uint8_t>{0xB6, 0x04, 0, 0, 0, 0, 64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Body(sheet.SELECTION()),
              (std::vector<uint8_t>{3, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
    EXPECT_EQ(sheet.Word(recDEFCOLWIDTH), 8);
}

TEST(RecordStorage, StoreRecordPlacesThePrecedingDefaults) {
    TRecordStorageSheet sheet;
    const TRawRecord* oldBof = &sheet.BOF();
    const uint8_t wsbool[2] = {0x01, 0x04};
    sheet.StoreRecord(IdAndLength(recWSBOOL, 2), wsbool);
    EXPECT_EQ(sheet.Count(), 13);
    EXPECT_EQ(NonNull(sheet.Defaults()), 15);
    EXPECT_EQ(Ids(sheet),
              (std::vector<uint16_t>{0x0809, 0x000D, 0x000C, 0x000F, 0x0011, 0x0010, 0x005F, 0x002B,
                                     0x002A, 0x0082, 0x0080, 0x0225, 0x0081}));
    EXPECT_EQ(sheet.Word(recWSBOOL), 0x0401); // the new body
    EXPECT_EQ(&sheet.BOF(), sheet.Items(0));  // the accessors follow the placed blocks
    EXPECT_NE(&sheet.BOF(), oldBof);
    EXPECT_EQ(sheet.BOF().WordAt(2), 0x0010);              // copied with its default body
    EXPECT_EQ(&sheet.SETUP(), sheet.Defaults().Items(18)); // still waiting

    // A placed record is overwritten in place; a different length is refused.
    const uint8_t manual[2] = {0, 0};
    sheet.StoreRecord(IdAndLength(recCALCMODE, 2), manual);
    EXPECT_EQ(sheet.Word(recCALCMODE), 0);
    EXPECT_EQ(ErrorMessage([&] { sheet.StoreRecord(IdAndLength(recCALCMODE, 4), manual); }),
              "Size missmatch on default record");
    EXPECT_EQ(sheet.Count(), 13);

    // A default that is already placed or never existed.
    EXPECT_EQ(ErrorMessage([&] { sheet.StoreRecord(IdAndLength(0x0203, 14), nullptr); }),
              "Excpected default record 0203 not found.");
    EXPECT_EQ(sheet.Count(), 13);
    EXPECT_EQ(NonNull(sheet.Defaults()), 15);
}

TEST(RecordStorage, SetDefaultRecordAndInternals) {
    TRecordStorageGlobals globals;
    TRecordStorageSheet sheet;
    // An older beginning-of-file record, shorter than the default, becomes the BOF record;
    // reading its fields beyond the body gives 0.
    const uint8_t oldBof[8] = {0x00, 0x02, 0x10, 0x00, 0x01, 0x00, 0x00, 0x00};
    for (TRecordStorageDefault* store :
         std::initializer_list<TRecordStorageDefault*>{&globals, &sheet}) {
        store->SetDefaultRecord(IdAndLength(0x0209, 8), oldBof);
        ASSERT_EQ(store->Count(), 1);
        EXPECT_EQ(store->Items(0)->Id(), 0x0809);
        EXPECT_EQ(store->Items(0)->Length(), 8);
        EXPECT_EQ(store->Items(0)->LongAt(12), 0u);
        EXPECT_EQ(ErrorMessage([&] { store->SetDefaultRecord(IdAndLength(0x0203, 14), nullptr); }),
                  "[int] Unknown default record 0203");
    }
    EXPECT_EQ(ErrorMessage([&] { sheet.SetDefaultRecord(IdAndLength(0x8101, 0), nullptr); }),
              "[int] Unknown default record 8101");

    globals.AddInternal(0x8002);
    EXPECT_EQ(globals.Items(globals.Count() - 1)->Id(), 0x8002);
    EXPECT_EQ(globals.Count(), 19);
    EXPECT_EQ(ErrorMessage([&] { globals.AddInternal(0x8101); }),
              "[int] Unknown int. default record 8101");
    EXPECT_EQ(ErrorMessage([&] { sheet.AddInternal(0x0081); }),
              "[int] Unknown int. default record 0081");

    TRawRecord stray(0x0203, 0, nullptr);
    EXPECT_EQ(ErrorMessage([&] { sheet.MoveDefault(&stray); }),
              "[int] Unknown move default record 0203");
}

TEST(RecordStorage, FlagsAndWords) {
    TRecordStorageGlobals globals;
    EXPECT_FALSE(globals.Flag(recHIDEOBJ));
    globals.SetFlag(recHIDEOBJ, true);
    EXPECT_TRUE(globals.Flag(recHIDEOBJ));
    globals.Record(recBOOKBOOL).SetWordAt(0, 2);
    EXPECT_FALSE(globals.Flag(recBOOKBOOL)); // true only for 1
    globals.SetWord(recCODEPAGE, 1251);
    EXPECT_EQ(globals.Word(recCODEPAGE), 1251);
}

TEST(RecordStorage, UnknownRecordsAreWrittenInTheirOrder) {
    TRecordStorageEx2007Unknown store;
    store.AddRecord(IdAndLength(0x0868, 1), "a");
    store.AddRecord(IdAndLength(0x0863, 1), "b");
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    store.WriteAll(stream);
    EXPECT_EQ(memory.Bytes(), (std::vector<uint8_t>{0x68, 0x08, 1, 0, 'a', 0x63, 0x08, 1, 0, 'b'}));

    TRecordStorageVBA vba;
    vba.Add({1, 2});
    EXPECT_EQ(vba.Items(0)->size(), 2u);
    vba.Clear();
    EXPECT_EQ(vba.Count(), 0);
}
