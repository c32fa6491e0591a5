#include "platform/rtl/ShellOpen.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* kOpener = "xdg-open";

TShellOpenResult Failure(TShellOpenResult::Outcome outcome, int error, int exitCode,
                         std::string message) {
    TShellOpenResult r;
    r.Result = outcome;
    r.ErrorCode = error;
    r.ExitCode = exitCode;
    r.Message = std::move(message);
    return r;
}

} // namespace

TShellOpenResult ShellOpen(const std::string& target, unsigned waitMs) {
    std::string program = kOpener;
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, kOpener, nullptr, nullptr, argv, environ);
    if (error == ENOENT)
        return Failure(TShellOpenResult::Outcome::NotFound, error, 0,
                       "Cannot open \"" + target + "\": the program xdg-open was not found.");
    if (error != 0)
        return Failure(TShellOpenResult::Outcome::CouldNotStart, error, 0,
                       "Cannot open \"" + target + "\": xdg-open did not start (" +
                           std::strerror(error) + ").");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return {}; // reaped elsewhere: nothing more to learn
        if (std::chrono::steady_clock::now() >= deadline) {
            // Still busy: let it finish on its own and collect it then.
            std::thread([pid] {
                int ignored = 0;
                while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    // posix_spawnp reports a missing program as exit code 127 on some systems.
    if (code == 127)
        return Failure(TShellOpenResult::Outcome::NotFound, ENOENT, code,
                       "Cannot open \"" + target + "\": the program xdg-open was not found.");
    return Failure(TShellOpenResult::Outcome::OpenerFailed, 0, code,
                   "Cannot open \"" + target + "\": xdg-open failed (exit code " +
                       std::to_string(code) + ").");
}
