#pragma once
// A macro project carried through unchanged: its raw blocks and the names that go with them.
// The project's contents are not interpreted.

#include "platform/classes/Object.h"
#include "spreadsheet/core/WideStringList.h"
#include "spreadsheet/records/RecordStorage.h"

#include <cstdint>
#include <memory>
#include <vector>

class TXLSVBAProject {};

class TXLSVBA {
public:
    TXLSVBA() : Project(std::make_unique<TXLSVBAProject>()) {}

    std::vector<std::unique_ptr<TObject>> Objects;
    std::unique_ptr<TXLSVBAProject> Project;
    TXLSWideStringList Names;
    int32_t Value = 0;
    TRecordStorageVBA Records;
    bool Flag = true;
};
