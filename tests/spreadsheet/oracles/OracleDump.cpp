// Prints what the outside checkers compare with: the worksheet function table, and a record
// stream built from the default workbook and sheet records.
//
//   spreadsheet_oracle_dump functions          one line per function: number name min max
//   spreadsheet_oracle_dump records FILE       writes the stream to FILE and prints one line
//                                              per record written: id length (hexadecimal id)

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/core/FunctionTable.h"
#include "spreadsheet/records/BIFFStream.h"
#include "spreadsheet/records/RecordStorage.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void PrintFunctions() {
    for (int i = 0; i < kFunctionCount; ++i) {
        const TFunctionDefinition& f = FunctionDefinition(i);
        std::printf("%d %s %d %d\n", i, Utf16ToUtf8(f.Name).c_str(), f.Min, f.Max);
    }
}

// Writes every default of a store except the internal placeholders, which stand for records
// a file writer generates.
void WriteDefaults(const TRecordStorageDefault& store, TBIFFStream& stream, int insertBeforeEof,
                   uint16_t longId) {
    TRecordStorageDefault& defaults = const_cast<TRecordStorageDefault&>(store);
    TBaseRecordStorage& list = defaults.Defaults();
    for (int i = 0; i < list.Count(); ++i) {
        const TRawRecord* record = list.Items(i);
        if (record->Id() >= 0x8000)
            continue;
        if (record->Id() == recEOF && insertBeforeEof > 0) {
            std::vector<uint8_t> body(static_cast<size_t>(insertBeforeEof));
            for (size_t k = 0; k < body.size(); ++k)
                body[k] = static_cast<uint8_t>(k);
            stream.WriteRecord(longId, body.data(), insertBeforeEof);
            for (int at = 0, part = 0; at < insertBeforeEof; at += 8224, ++part)
                std::printf("%04x %d\n", part ? 0x3C : longId,
                            std::min(8224, insertBeforeEof - at));
        }
        stream.WriteRecord(record->Id(), record->Body(), record->Length());
        std::printf("%04x %d\n", record->Id(), record->Length());
    }
}

int WriteRecords(const char* path) {
    TFileStream file(path, fmCreate);
    TBIFFStream stream(&file);
    TRecordStorageGlobals globals;
    TRecordStorageSheet sheet;
    WriteDefaults(globals, stream, 0, 0);
    WriteDefaults(sheet, stream, 20000, 0x00EC);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "functions") == 0) {
        PrintFunctions();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "records") == 0)
        return WriteRecords(argv[2]);
    std::fprintf(stderr, "usage: %s functions | records FILE\n", argv[0]);
    return 2;
}
