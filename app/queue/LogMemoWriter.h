#pragma once
// The log sink of the device link: every line of serial traffic goes to the log memo as a
// time-stamped line through the output queue, so the worker threads never touch the memo.

#include "device/LogWriter.h"

class TCustomMemo;
class TOutArray;

class TLogMemoWriter : public TLogWriter {
public:
    // Neither the memo nor the queue is owned.
    TLogMemoWriter(TCustomMemo* memo, TOutArray& queue) : memo_(memo), queue_(queue) {}
    void WriteLine(const std::string& line) override;

private:
    TCustomMemo* memo_;
    TOutArray& queue_;
};
