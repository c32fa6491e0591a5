#include "platform/rtl/Diagnostics.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex sinkLock;
TDiagnosticSink& Sink() {
    static TDiagnosticSink sink;
    return sink;
}
} // namespace

void DiagnosticLine(const std::string& line) {
    TDiagnosticSink sink;
    {
        std::lock_guard<std::mutex> guard(sinkLock);
        sink = Sink();
    }
    if (sink) {
        sink(line);
        return;
    }
    std::fprintf(stderr, "quorvan4: %s\n", line.c_str());
}

TDiagnosticSink SetDiagnosticSink(TDiagnosticSink sink) {
    std::lock_guard<std::mutex> guard(sinkLock);
    TDiagnosticSink old = std::move(Sink());
    Sink() = std::move(sink);
    return old;
}
