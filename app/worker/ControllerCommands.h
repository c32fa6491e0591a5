#pragma once
// What the worker thread asks of the controller of a connection: the connect sequence, the three
// steps it hands to the user-interface thread after it, the idle poll, the operation of each
// command code, and the disconnect. The controller implements it; tests hand the thread one that
// records the calls.

class TControllerCommands {
public:
    virtual ~TControllerCommands() = default;

    // Worker thread: the connect sequence; false when it failed.
    virtual bool Connect() = 0;
    virtual void Disconnect() = 0;
    // True from the controller's creation until a path that already hung up clears it.
    virtual bool Connected() const = 0;
    // User-interface thread (handed over by the worker, which waits for each).
    virtual void AdaptToFirmware() = 0;
    virtual void ClearUpdateState() = 0;
    virtual void OfferUpdate() = 0;
    // User-interface thread: ends the current step as soon as it can.
    virtual void Cancel() = 0;

    // Worker thread, when no command waits.
    virtual void IdlePoll() = 0;
    // Worker thread, one per command code.
    virtual void ReadPage() = 0;
    virtual void WritePage() = 0;
    virtual void ReadAll() = 0;
    virtual void WriteAll() = 0;
    virtual void EraseHistory() = 0;
    virtual void HistoryPointer() = 0;
    virtual void ResetEventFlags() = 0;
    virtual void SaveAlmanac() = 0;
    virtual void LoadAlmanac() = 0;
    virtual void HistoryForward() = 0;
    virtual void HistoryBack() = 0;
    virtual void ApplySleepMode() = 0;
    virtual void ApplyAntiTheft() = 0;
};
