#pragma once
// The GPS page's commands, run on the worker thread: reading the receiver's clock, almanac and
// ephemeris through the unit into an aiding file, and loading such a file back into the
// receiver. The sequences themselves are the device layer's (TGpsAidingFile): the pass-through
// is always closed again, and a save without a clock reading writes nothing and fails.
//
// While a transfer runs the main controls and the page's transfer controls are disabled; the
// outcome label turns blue or red; both come back even when the transfer raises. The file names
// are read on the user-interface thread when the command starts.

class TGpsHost;
class TGpsView;

class TGpsOperations {
public:
    TGpsOperations(TGpsHost& host, TGpsView& view) : host_(host), view_(view) {}

    // Into the file named for saving; the save label turns blue when the clock, the whole
    // almanac and the ephemeris were read and the file was written.
    void SaveAlmanac();
    // From the file named for loading; the load label turns blue when both the almanac and the
    // ephemeris were written into the receiver.
    void LoadAlmanac();

private:
    template <typename TTransfer> void Run(bool saving, TTransfer transfer);

    TGpsHost& host_;
    TGpsView& view_;
};
