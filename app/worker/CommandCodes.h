#pragma once
// The worker thread's command codes: one byte that the user-interface thread writes and the
// worker thread takes once per pass of its loop.

#include <cstdint>

enum TCommandCode : uint8_t {
    cmdIdle = 0,
    cmdReadPage = 3,
    cmdWritePage = 4,
    cmdReadAll = 5,
    cmdWriteAll = 6,
    cmdEraseHistory = 17,
    cmdHistoryPointer = 18,
    cmdResetFlags = 26,
    cmdSaveAlmanac = 28,
    cmdLoadAlmanac = 29,
    cmdHistoryForward = 31,
    cmdHistoryBack = 32,
    cmdSetSleepMode = 35,
    cmdSetAntiTheft = 36,
};

// True for the codes that run a controller operation (not cmdIdle).
bool IsListedCommand(uint8_t code);
