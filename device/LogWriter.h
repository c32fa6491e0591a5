#pragma once
// The sink that the transport workers hand each line of serial traffic to. The workers never own
// their sink; the application's memo writer stamps each line and shows it in the log pane.

#include <string>

class TLogWriter {
public:
    virtual ~TLogWriter() = default;
    // One line of UTF-8 text, without a line end.
    virtual void WriteLine(const std::string& line) = 0;
};
