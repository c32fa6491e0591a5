#pragma once
#include <string>

// The program's file version ("1.0.0.0"), set by the build where the Windows program read its
// version resource.
std::string ProgramFileVersion();
