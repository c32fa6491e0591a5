#pragma once
// TDevQuorvan: the unit's command object. Every setting of the unit is a "+" keyword; this class
// turns a setting into its command line and the unit's reply into a value, over the cable's
// COM-port worker or, when one is given, the GSM-modem worker of a data call.
//
// A request reports failure by its result after its tries; nothing is raised for a missing reply.
// On failure a request's value is always empty, on both links, so that no error text can be shown
// as a setting and written back to the unit.

#include "device/DeviceSettings.h"
#include "device/HistoryCache.h"

#include <cstdint>
#include <string>

class TComPortWorker;
class TModemWorker;

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

private:
    bool Send(const std::string& Command, std::string& Reply, const std::string& Terminator,
              int Tries, int ModemTimeoutMs, int CableTimeoutMs, bool Log);
    bool Query(const std::string& Keyword, std::string& Value, const std::string& Terminator,
               int ModemTimeoutMs, int CableTimeoutMs);
    bool SetValue(const std::string& Keyword, const std::string& Value);
    bool SetText(const std::string& Keyword, const std::string& Text);
    bool GetFlags(const std::string& Keyword, TFlagArray& Flags, bool FirstTwo);
    void LogLine(const std::string& Line);

    TComPortWorker* port_ = nullptr;
    THistoryCache cache_;
    TModemWorker* modem_ = nullptr;
};
