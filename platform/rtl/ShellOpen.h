#pragma once
// Opening a document or an address with the desktop's chosen program: `xdg-open TARGET`, started
// directly (no shell reads the target), found on PATH.

#include <string>

// How an attempt to open ended. Failures carry what happened in typed fields: the system error
// when the opener could not be started, or the opener's own exit code.
struct TShellOpenResult {
    enum class Outcome {
        Opened,        // the opener finished with 0 (or was still running when we stopped waiting)
        NotFound,      // no opener on PATH
        CouldNotStart, // the opener exists but did not start (ErrorCode holds the errno)
        OpenerFailed,  // the opener ran and finished with a non-zero ExitCode
    };
    Outcome Result = Outcome::Opened;
    int ErrorCode = 0;
    int ExitCode = 0;
    // A sentence for the user, in English.
    std::string Message;
    bool Ok() const { return Result == Outcome::Opened; }
};

// Starts the opener with `target` as its one argument and waits up to `waitMs` milliseconds for
// it to finish (openers hand the work to a program and return at once); one still running then
// is left to finish on its own and counts as opened.
TShellOpenResult ShellOpen(const std::string& target, unsigned waitMs = 5000);
