#pragma once
// TDevQuorvan: the unit's command object. Every setting of the unit is a "+" keyword; this class
// turns a setting into its command line and the unit's reply into a value, over the cable's
// COM-port worker or, when one is given, the GSM-modem worker of a data call.
//
// A request reports failure by its result after its tries; nothing is raised for a missing reply.
// On failure a request's value is always empty, on both links, so that no error text can be shown
// as a setting and written back to the unit. A refusal ("ERROR") is a failure on both links.
// Setters, the history erase and the pass-through switches need the unit's "OK"; a getter on the
// cable also takes, on its last try, a whole value line that came without "OK" (and says so in
// the log). A getter or setter only takes a reply that names its own keyword before ">" (or
// none): a late reply to an earlier request is skipped.

#include "device/DeviceSettings.h"
#include "device/HistoryCache.h"
#include "device/HistoryRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class TComPortWorker;
class TModemWorker;
class TStrings;

class TDevQuorvan {
public:
    // Either worker may be absent; the modem worker, when given, carries every request.
    TDevQuorvan(TModemWorker* Modem, TComPortWorker* Port);
    ~TDevQuorvan();
    TDevQuorvan(const TDevQuorvan&) = delete;
    TDevQuorvan& operator=(const TDevQuorvan&) = delete;

    TComPortWorker* Port() const { return port_; }
    TModemWorker* Modem() const { return modem_; }
    // History records already read during this connection.
    THistoryCache& Cache() { return cache_; }

    // ---- requests ----------------------------------------------------------------------------
    // "+" and the keyword (with its value already appended); the two cable-session words go out
    // bare. The worker adds the carriage return.
    static std::string BuildCommand(const std::string& Keyword);
    // The value inside a reply: after the first ">", before the first "OK", trimmed.
    static std::string ExtractReplyValue(const std::string& Reply);

    bool QueryParam(const std::string& Keyword, std::string& Value);
    bool QueryParamTimeout(const std::string& Command, std::string& Reply, int TimeoutMs,
                           bool Extract);
    bool QueryInt(const std::string& Keyword, int32_t& Number, bool Hex);
    bool SetHexParam(const std::string& Keyword, uint32_t Number, int Width);
    bool SendCommand(const std::string& Command, std::string& Reply, bool Log);
    bool SendSlowCommand(const std::string& Command, std::string& Reply, bool Log);
    bool SendSlowCommandRetry(const std::string& Command, std::string& Reply, bool Log);
    bool CableConnect();
    bool CableDisconnect();
    bool ResetMFlags();

    // ---- settings ----------------------------------------------------------------------------
    bool GetObjectNumber(int32_t& Number); // "object"
    bool SetObjectNumber(int32_t Number);
    bool GetPeriodGsm(int32_t& Minutes); // "periodgsm"
    bool SetPeriodGsm(uint32_t Minutes);
    bool GetPeriodGps(int32_t& Minutes); // "periodgps"
    bool SetPeriodGps(uint32_t Minutes);
    bool GetPeriodGs1(int32_t& Minutes); // "periodgs1"
    bool SetPeriodGs1(uint32_t Minutes);
    bool GetPeriodGp1(int32_t& Minutes); // "periodgp1"
    bool SetPeriodGp1(uint32_t Minutes);
    bool GetActiveTime(std::string& Code); // "activetime": "FFFF", "012C", "0258", "0384"
    bool SetActiveTime(const std::string& Code);
    bool GetActiveTim1(std::string& Code); // "activetim1"
    bool SetActiveTim1(const std::string& Code);
    bool GetDontSleep(std::string& Code); // "dontsleep": "00", "0F", "FF"
    bool SetDontSleep(bool Duty, bool SleepWithFix, bool Sleep);
    bool GetWakeFr(std::string& Value); // "wakefr", anti-theft mode
    bool SetWakeFr(bool On);
    bool GetZone(TZoneCoordinates& Coordinates, bool& Enabled); // "zone"
    bool SetZone(bool Enabled, const TZoneBounds& Bounds);
    bool GetDZoneSleep(std::string& Value); // "dzonesleep"
    bool SetDZoneSleep(bool Once);
    bool GetZAct(TFlagArray& Flags); // "zact"
    bool SetZAct(const TFlagArray& Flags);
    bool GetZRen(TFlagArray& Flags); // "zren"
    bool SetZRen(const TFlagArray& Flags);
    bool GetFlagAct(TFlagArray& Flags); // "flagact"
    bool SetFlagAct(const TFlagArray& Flags);
    bool GetFlagRen(TFlagArray& Flags); // "flagren"
    bool SetFlagRen(const TFlagArray& Flags);
    bool GetMFlags(TEventFlagArray& Trigger, TEventFlagArray& Restore); // "MFLAG"
    bool GetGprsApn(std::string& Text);                                 // "GAPN"
    bool SetGprsApn(const std::string& Text);
    bool GetGprsPhone(std::string& Text); // "gphone"
    bool SetGprsPhone(const std::string& Text);
    bool GetGprsName(std::string& Text); // "gprsname"
    bool SetGprsName(const std::string& Text);
    bool GetGprsPassword(std::string& Text); // "gprspswd"
    bool SetGprsPassword(const std::string& Text);
    bool GetIpAddress(std::string& Text); // "IPadr"
    bool SetIpAddress(const std::string& Text);
    bool GetIpPort(int32_t& Port);             // "IPport"
    bool SetIpPort(int32_t Port);              // refuses a port outside 0..65535
    bool GetServerPassword(std::string& Text); // "servpswd"
    bool SetServerPassword(const std::string& Text);
    bool GetGprsEnabled(bool& On); // "gprsena"
    bool SetGprsEnabled(bool On);
    bool GetActiveGsm(int32_t& Seconds);           // "activegsm"
    bool SetActiveGsm(const std::string& Seconds); // raises EConvertError for a bad number
    bool GetTimeGpRes(int32_t& Minutes);           // "timegpres"
    bool SetTimeGpRes(uint32_t Minutes);
    bool GetAlarmLogic(int& Item); // "allogic"
    bool SetAlarmLogic(int Item, int Kind, bool Flag);
    bool GetAlarmPhone(int Index, std::string& Text); // "alphon" + one hex digit
    bool SetAlarmPhone(int Index, const std::string& Text);
    bool GetServicePhone(int Index, std::string& Text); // "ing" + one hex digit
    bool SetServicePhone(int Index, const std::string& Text);
    bool GetServicePhonesEnabled(bool& On); // "enaing"
    bool SetServicePhonesEnabled(bool On);
    bool GetDontCharge(std::string& Value); // "dontcharge"
    bool SetDontCharge(bool On);
    bool GetEdgeIgn(std::string& Value);       // "edgeign", hundredths of a volt in hex
    bool SetEdgeIgn(const std::string& Volts); // raises EConvertError for a bad number
    bool GetCurSupp(std::string& Value);       // "cursupp"
    bool GetLookIgn(std::string& Value);       // "lookign"
    bool SetLookIgn(bool On);
    bool GetPanelType(std::string& Value); // "typepan"
    bool GetPGps(std::string& Value);      // "PGPS", the keep-alive query
    bool GetPointCount(int32_t& Point);    // "point", the history write pointer
    bool GetNsPoint(std::string& Value);   // "nspoint"
    bool SetNsPoint(const std::string& Value);
    bool GetVersionText(std::string& Text); // "v"

    // ---- history (DevQuorvanHistory.cpp) -----------------------------------------------------
    // Reading ranges of records through the record cache, so that paging back and forth fetches
    // no record twice; erasing; checking and decoding a record for the unit's firmware.

    // The last index of the ring (65503).
    static constexpr int HistoryWrapIndex = THistoryRecord::WrapIndex;

    // Fills List with the lines ("IIII>record") of records First to First + Count - 1 in ring
    // order, wrapping past the last index to 0. Cached records cost nothing; each run of missing
    // records is one range request. A failed request ends the read with false, keeping in List
    // what was read before it. List's name-value separator becomes ">".
    bool ReadHistory(int First, int Count, TStrings& List);
    // One "+read" request for records First to Last (never across the end of the ring), limit
    // (Last - First + 1) seconds but at least 2.5 s, 3 tries. List receives the reply's record
    // lines as they came; only sound ones (index asked for, checksum right) are cached.
    bool ReadHistoryRange(int First, int Last, TStrings& List);
    // The cached line of a record, or false.
    bool FindCachedRecord(int Index, std::string& Line);
    // Drops a record from the cache so that the next read fetches it again.
    void ForgetHistoryRecord(int Index);
    // "+erase" (25 s, 3 tries); the cache is cleared only when the unit confirms.
    bool EraseHistory();
    static bool CheckHistoryChecksum(int Index, const std::string& Record);
    // Decodes a record for the layout of firmware Shell.Build; the two-digit year is taken in the
    // century of the current date. See THistoryRecord::Decode.
    static bool DecodeHistoryRecord(const std::string& Record, int Shell, int Build,
                                    THistoryFields& Fields);

    // ---- GPS receiver pass-through (DevQuorvanGps.cpp) ---------------------------------------
    // "GPSACCESS_ON" hands the line to the receiver, a text sentence switches the receiver to its
    // binary frame protocol, and frames (sent and received as hexadecimal text) then read its
    // clock, almanac and ephemeris or write them back; a frame switches it back to text and
    // "GPSACCESS_OFF" returns the line to the unit. Hex requests listen for their whole time
    // limit, so the limits are also the receiver's reply windows.

    // "GPSACCESS_ON" (bare, 1 try, 4.5 s modem / 3 s cable, "OK").
    bool GpsAccessOn();
    // The text sentence that switches the receiver to binary frames at 9600 bit/s (1 try). The
    // receiver does not answer it with "OK", so its result says little.
    bool GpsSwitchToBinary();
    // Polls the clock status. WeekAndTime: "WW WW TT TT TT TT" (week, time of week in hundredths
    // of a second); Drift: "DD DD DD DD". False unless a whole, checksummed clock frame came back.
    bool GpsReadClock(std::string& WeekAndTime, std::string& Drift);
    // Polls the almanac and appends the frames of satellites 1 to 32 to List (one frame text per
    // line); true when all 32 came back whole.
    bool GpsReadAlmanac(TStrings& List);
    // Polls the ephemeris and appends the frames that came back, in satellite order; satellites
    // without one are skipped. False only when a satellite's frame came back broken.
    bool GpsReadEphemeris(TStrings& List);
    // Lines 2 to 33 of an aiding file (List has at least 34 lines) as one set-almanac frame.
    // Nothing is sent, and the result is false, when one of those lines is not its satellite's
    // almanac frame.
    bool GpsWriteAlmanac(const TStrings& List);
    // One set-ephemeris frame for each line from 34 on; stops, false, at the first line that is
    // not a well-formed ephemeris frame, sending nothing for it.
    bool GpsWriteEphemeris(const TStrings& List);
    // Initialises the receiver with a fixed approximate position and Aiding: ten hex pairs of
    // clock drift (4), time of week (4, hundredths of a second) and week (2). Raises
    // EConvertError when Aiding is not ten hex pairs.
    bool GpsInitDataSource(const std::string& Aiding);
    // The frame that switches the receiver back to its text protocol.
    bool GpsSwitchToNmea();
    // "GPSACCESS_OFF" (bare, 3 tries).
    bool GpsAccessOff();

private:
    // What a request takes as its answer when no try brought the terminator.
    enum TReplyRule {
        rrNeedTerminator, // nothing: the terminator is required
        rrValueLine,      // on the cable, the last try's whole value line
        rrAnyReply,       // on the cable, the last try's reply, whatever it holds
    };
    struct TRequest {
        std::string Command; // as it goes out, without the carriage return
        std::string Keyword; // the keyword a reply must name, if it names one; empty: any
        std::string Terminator;
        int Tries;
        int ModemTimeoutMs;
        int CableTimeoutMs;
        TReplyRule Rule;
        bool Log;
    };
    bool Send(const TRequest& Request, std::string& Reply);
    // A getter: the value of Keyword's reply.
    bool Query(const std::string& Keyword, std::string& Value, const std::string& Terminator,
               int ModemTimeoutMs, int CableTimeoutMs);
    // A setter: Keyword with Value appended; needs the unit's "OK".
    bool SetValue(const std::string& Keyword, const std::string& Value,
                  const std::string& Terminator = "OK");
    // A bare command (no value to read back) that needs the unit's "OK".
    bool Command(const std::string& Command, const std::string& Keyword, int Tries,
                 int ModemTimeoutMs, int CableTimeoutMs);
    bool SetText(const std::string& Keyword, const std::string& Text);
    bool GetFlags(const std::string& Keyword, TFlagArray& Flags, bool FirstTwo);
    // Sends a receiver frame as hexadecimal text and collects what comes back for the whole
    // time limit (no pattern, 1 try).
    bool SendFrame(const std::vector<uint8_t>& Frame, std::string& Reply, int ModemTimeoutMs,
                   int CableTimeoutMs);
    bool ReadRangeLines(int First, int Last, std::vector<std::string>& Lines);
    void LogLine(const std::string& Line);

    TComPortWorker* port_ = nullptr;
    THistoryCache cache_;
    TModemWorker* modem_ = nullptr;
};
