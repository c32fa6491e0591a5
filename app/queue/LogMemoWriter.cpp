#include "app/queue/LogMemoWriter.h"

#include "app/queue/OutArray.h"

void TLogMemoWriter::WriteLine(const std::string& line) {
    queue_.PutMemoLine(memo_, line, true, 1);
}
