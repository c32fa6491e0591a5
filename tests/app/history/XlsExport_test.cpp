#include "app/history/BiffStream.h"
#include "app/history/HistoryRow.h"
#include "app/history/XlsExport.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

struct TRecord {
    int Number;
    std::string Body;
};

// The records of a stream, each checked to lie whole within it.
std::vector<TRecord> Records(const std::string& s) {
    std::vector<TRecord> out;
    size_t at = 0;
    while (at < s.size()) {
        EXPECT_LE(at + 4, s.size());
        const int number = static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8;
        const size_t length = static_cast<uint8_t>(s[at + 2]) | static_cast<uint8_t>(s[at + 3])
                                                                    << 8;
        EXPECT_LE(at + 4 + length, s.size());
        out.push_back({number, s.substr(at + 4, length)});
        at += 4 + length;
    }
    return out;
}

const std::string kStart = Bytes({0x09, 0x08, 0x08, 0, 0, 0, 0x10, 0, 0, 0, 0, 0});
const std::string kCodePage = Bytes({0x42, 0, 0x02, 0, 0xE3, 0x04}); // 1251
const std::string kEnd = Bytes({0x0A, 0, 0, 0});

TEST(HistoryExport, EmptyListGivesTheCaptionRowOnly) {
    THistorySheet sheet;
    sheet.Captions = HistoryColumnCaptions(9);
    const std::string bytes = HistorySheetBytes(sheet);
    ASSERT_EQ(bytes.substr(0, 18), kStart + kCodePage);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), kEnd);
    // The "RID" cell: record 0x0204, length 11, row 0, column 0, format 0, 3 bytes of text.
    EXPECT_EQ(bytes.substr(18, 15),
              Bytes({0x04, 0x02, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0x03, 0}) + "RID");
    const auto records = Records(bytes);
    ASSERT_EQ(records.size(), 2 + 9 + 1u);
    // "Тип" in row 0, column 1, as Windows-1251 bytes.
    EXPECT_EQ(records[3].Body, Bytes({0, 0, 1, 0, 0, 0, 3, 0, 0xD2, 0xE8, 0xEF}));
}

TEST(HistoryExport, OneRowOfNineColumnsFromTheList) {
    TListView list(nullptr);
    for (const std::string& caption : HistoryColumnCaptions(9)) {
        list.Columns()->Add()->SetCaption(caption);
    }
    TListItem* item = list.Items()->Add();
    item->SetCaption("0063");
    const std::string record(54, 'C');
    for (const char* text :
         {"По времени", "25.12.2008 0:30:05", "5930,50833", "3018,12345", "18,52", "1234", "ДА"}) {
        item->SubItems()->Add(text);
    }
    item->SubItems()->Add(record);

    const THistorySheet sheet = HistorySheetOf(list);
    ASSERT_EQ(sheet.Rows.size(), 1u);
    const auto records = Records(HistorySheetBytes(sheet));
    ASSERT_EQ(records.size(), 2 + 9 + 9 + 1u);
    for (size_t i = 2; i < 20; ++i) {
        EXPECT_EQ(records[i].Number, 0x0204);
    }
    // Row 1, column 8: the record, 54 bytes.
    EXPECT_EQ(records[19].Body, Bytes({1, 0, 8, 0, 0, 0, 54, 0}) + record);
    EXPECT_EQ(records[11].Body, Bytes({1, 0, 0, 0, 0, 0, 4, 0}) + "0063");
}

TEST(HistoryExport, TextsAreCutAt255BytesAndEmptyOnesKept) {
    std::string stream;
    WriteBiffLabel(stream, 2, 7, std::string(300, 'x'));
    WriteBiffLabel(stream, 0, 1, "");
    WriteBiffLabel(stream, 1, 1, "Ж" + std::string(260, 'z')); // 2 UTF-8 bytes, 1 stored
    const auto records = Records(stream);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Body.size(), 8 + 255u);
    EXPECT_EQ(records[0].Body.substr(0, 8), Bytes({7, 0, 2, 0, 0, 0, 0xFF, 0}));
    EXPECT_EQ(records[1].Body, Bytes({1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(records[2].Body.size(), 8 + 255u);
    EXPECT_EQ(static_cast<uint8_t>(records[2].Body[8]), 0xC6);
    EXPECT_THROW(WriteBiffLabel(stream, 0, 0x10000, "x"), EArgumentException);
}

class HistoryExportFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("q4-history-export-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(folder_);
    }
    std::filesystem::path folder_;
};

TEST_F(HistoryExportFiles, FailedExportLeavesTheOldFileAndNoTemporaryFile) {
    THistorySheet sheet;
    sheet.Captions = HistoryColumnCaptions(13);
    const std::string file = (folder_ / "history.xls").string();
    ExportHistoryToXls(sheet, file);
    const std::string first = ReadFileBytes(file);
    EXPECT_EQ(first, HistorySheetBytes(sheet));

    sheet.Rows.push_back({"0001", "x"});
    if (::geteuid() != 0) { // root writes into read-only folders
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
        EXPECT_THROW(ExportHistoryToXls(sheet, file), EInOutError);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        EXPECT_EQ(ReadFileBytes(file), first);
    }
    // A folder in the way of the file: nothing written, nothing left behind.
    const std::string blocked = (folder_ / "blocked.xls").string();
    std::filesystem::create_directory(blocked);
    EXPECT_THROW(ExportHistoryToXls(sheet, blocked), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder_)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);

    ExportHistoryToXls(sheet, file); // overwriting an export
    EXPECT_EQ(ReadFileBytes(file), HistorySheetBytes(sheet));
}

} // namespace
