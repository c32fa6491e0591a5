#pragma once
// The command line of the quorvan4-unitsim program: what it serves and how, read into the
// simulator's own option structures.

#include "tools/unitsim/SimBootloader.h"
#include "tools/unitsim/SimModem.h"
#include "tools/unitsim/SimUnit.h"
#include "tools/unitsim/UnitSim.h"

#include <string>
#include <utility>
#include <vector>

struct TProgramOptions {
    TUnitSimOptions Line;
    TUnitFaults Faults;
    TReplyShape Shape;
    TModemOptions Modem;
    TBootFaults Boot;
    TBootTimes BootTimes;
    // The version text the unit reports after a flashing that ended well; empty: unchanged.
    std::string VersionAfterUpdate;
    bool Help = false;
    bool Trace = false;
    int PoweredUpMs = -1; // -1: the unit is already running when the line opens
    // Stored values in the order given (firmware version, flash type and --set).
    std::vector<std::pair<std::string, std::string>> Values;
    std::vector<std::string> Supply;
    // Track records written since the last erase; a ring's worth or more wraps it.
    long long HistoryRecords = 0;
    // The record layout of the firmware version served: supply before the signal byte from shell
    // 503 build 70 on.
    bool NewerRecordLayout = true;
};

// The usage text printed for --help.
extern const char* const UnitSimUsage;

// Reads the program's arguments (without the program name). False with a message for an unknown
// option, a missing value or a value out of range; Options then holds what was read before it.
bool ParseProgramOptions(const std::vector<std::string>& Args, TProgramOptions& Options,
                         std::string& Error);

// True when a firmware version text such as "REV 07.503.090" names the newer record layout
// (shell above 503, or 503 from build 70). A text without shell and build numbers counts as
// newer, as the simulator's default version is.
bool VersionHasNewerRecordLayout(const std::string& Version);
