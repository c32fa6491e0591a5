#include "app/firmware/FlashSession.h"

#include "device/WorkerClock.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

namespace {

const char kBootloaderAnswer[] = "BootLdr v1.0";

} // namespace

TFlashSession::TFlashSession(TBootLink& link, TWorkerClock& clock, TFlashObserver& observer)
    : link_(link), clock_(clock), observer_(observer) {}

bool TFlashSession::LineAlive(const std::string& reply) {
    for (const char* word : {"NO CARRIER", "DISCONNECT", "BUSY"})
        if (reply.find(word) != std::string::npos)
            return false;
    return true;
}

// The erase and the end are done only when the unit says "OK": the cable takes any reply on its
// last try, and an error text of the unit's own is no success.
bool TFlashSession::Confirmed(const std::string& reply) {
    size_t start = 0;
    while (start <= reply.size()) {
        size_t end = reply.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = reply.size();
        if (SameText(Trim(reply.substr(start, end - start)), "OK"))
            return true;
        start = end + 1;
    }
    return false;
}

bool TFlashSession::Stopping(TFlashResult& result) {
    if (result.Outcome == foStopped)
        return true;
    if (!observer_.StopRequested())
        return false;
    result.Outcome = foStopped;
    return true;
}

bool TFlashSession::Request(TKind kind, const std::string& command, TFlashResult& result) {
    result.Reply.clear();
    bool ok = false;
    try {
        switch (kind) {
        case rkShort:
            ok = link_.BootRequest(command, result.Reply);
            break;
        case rkLong:
            ok = link_.BootRequestLong(command, result.Reply);
            break;
        case rkBlock:
            ok = link_.BootWriteBlock(command, result.Reply);
            break;
        }
    } catch (const Exception& e) {
        result.Error = e.Message();
        result.LineLost = true;
        ok = false;
    }
    if (!LineAlive(result.Reply))
        result.LineLost = true;
    observer_.RequestDone(result.Step);
    return ok && !result.LineLost;
}

template <class F> bool TFlashSession::TryUpTo3(F accept, TFlashResult& result) {
    for (int attempt = 0; attempt < Tries; ++attempt) {
        if (result.LineLost || Stopping(result))
            return false;
        if (accept())
            return true;
    }
    return false;
}

void TFlashSession::Pause(uint32_t ms, uint32_t stepMs, TFlashStep step) {
    const uint32_t start = clock_.Ticks();
    // Parts are counted from the start, so that late wake-ups do not lose any.
    uint32_t parts = 0;
    const auto partsDue = [&](uint32_t elapsed) { return stepMs > 0 ? elapsed / stepMs : 0; };
    for (uint32_t elapsed = 0; elapsed < ms; elapsed = TicksBetween(start, clock_.Ticks())) {
        for (; parts < partsDue(elapsed); ++parts)
            observer_.PartDone(step);
        observer_.Waiting();
        if (observer_.StopRequested())
            return;
        clock_.Sleep(1);
    }
    for (; parts < partsDue(ms); ++parts)
        observer_.PartDone(step);
}

bool TFlashSession::WriteBlocks(const std::vector<TFlashBlock>& blocks, TFlashResult& result) {
    TFlashSums sums;
    for (size_t i = 0; i < blocks.size(); ++i) {
        result.Block = static_cast<int>(i);
        observer_.StepStarted(fsWrite, result.Block);
        const std::string command = BlockCommand(blocks[i]);
        const std::string number = command.substr(1, 4);
        const bool ok = TryUpTo3(
            [&] {
                const bool sent = Request(rkBlock, command, result);
                observer_.Waiting();
                return sent && Trim(result.Reply).rfind(number, 0) == 0;
            },
            result);
        if (!ok)
            return false;
        sums.Add(BlockCheckByte(blocks[i].Bytes));
        observer_.PartDone(fsWrite);
    }
    result.Block = -1;
    result.Step = fsFinish;
    observer_.StepStarted(fsFinish, -1);
    return TryUpTo3(
        [&] { return Request(rkLong, sums.FinishCommand(), result) && Confirmed(result.Reply); },
        result);
}

TFlashResult TFlashSession::Run(const std::vector<TFlashBlock>& blocks) {
    TFlashResult result;
    const auto fail = [&](TFlashOutcome outcome) {
        if (result.Outcome != foStopped)
            result.Outcome = outcome;
        return result;
    };
    observer_.StepStarted(fsEnter, -1);
    if (Stopping(result))
        return result;
    Request(rkShort, "BL", result); // the unit restarts; its reply says nothing
    if (result.LineLost)
        return fail(foNoBootloader);
    Pause(EnterPauseMs, 0, fsEnter);
    observer_.PartDone(fsEnter);

    result.Step = fsCheck;
    observer_.StepStarted(fsCheck, -1);
    if (!TryUpTo3(
            [&] {
                return Request(rkShort, "v", result) &&
                       result.Reply.find(kBootloaderAnswer) != std::string::npos;
            },
            result))
        return fail(foNoBootloader);

    result.Step = fsErase;
    observer_.StepStarted(fsErase, -1);
    if (!TryUpTo3([&] { return Request(rkLong, "BE", result) && Confirmed(result.Reply); }, result))
        return fail(foEraseFailed);
    observer_.PartDone(fsErase);

    result.Step = fsWrite;
    if (!WriteBlocks(blocks, result))
        return fail(result.Step == fsWrite ? foWriteFailed : foFinishFailed);

    result.Step = fsRestart;
    observer_.StepStarted(fsRestart, -1);
    Pause(RestartWaitMs, RestartStepMs, fsRestart);
    result.Outcome = foDone;
    return result;
}
