#pragma once
// One line of diagnostics for an operator or developer: a problem the program works around
// (a settings file it cannot read, a folder it cannot write) and keeps running. Lines go to the
// standard error stream, or to a sink that a test installs.

#include <functional>
#include <string>

using TDiagnosticSink = std::function<void(const std::string& line)>;

void DiagnosticLine(const std::string& line);
// Replaces the sink (an empty one restores the standard error stream); returns the previous one.
TDiagnosticSink SetDiagnosticSink(TDiagnosticSink sink);
