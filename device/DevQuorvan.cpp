#include "device/DevQuorvan.h"

#include "device/ComPortWorker.h"
#include "device/ModemWorker.h"
#include "device/ReplyCollector.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

namespace {

constexpr int kTries = 3;
constexpr int kModemTimeoutMs = 4500;
constexpr int kCableTimeoutMs = 3000;
constexpr int kLookIgnTimeoutMs = 3000;
constexpr int kCommandTimeoutMs = 4500;
constexpr int kSlowCommandTimeoutMs = 15000;

const std::string kTerminator = "OK";
// The reply to "lookign" carries the keyword, whose letters hold "ok"; only "OK" at the end of a
// line ends that wait.
const std::string kLookIgnTerminator = "OK\r";

bool ContainsNoCase(const std::string& text, const std::string& pattern) {
    return UpperCase(text).find(UpperCase(pattern)) != std::string::npos;
}

// "alphon" and "ing" take their index as one hex digit; an index outside 0..15 names no keyword.
std::string IndexedKeyword(const char* keyword, int index) {
    if (index < 0 || index > 15) {
        return std::string();
    }
    return keyword + IntToHex(index, 1);
}

} // namespace

TDevQuorvan::TDevQuorvan(TModemWorker* Modem, TComPortWorker* Port) : port_(Port), modem_(Modem) {}

TDevQuorvan::~TDevQuorvan() = default;

std::string TDevQuorvan::BuildCommand(const std::string& Keyword) {
    if (Keyword == "CABLE CONNECT" || Keyword == "CABLE DISCONNECT") {
        return Keyword;
    }
    return "+" + Keyword;
}

std::string TDevQuorvan::ExtractReplyValue(const std::string& Reply) {
    const size_t mark = Reply.find('>');
    const std::string rest = mark == std::string::npos ? Reply : Reply.substr(mark + 1);
    const size_t ok = rest.find("OK");
    if (ok == std::string::npos) {
        return std::string();
    }
    return Trim(rest.substr(0, ok));
}

void TDevQuorvan::LogLine(const std::string& Line) {
    if (port_ != nullptr) {
        port_->Log(Line);
    }
}

bool TDevQuorvan::Send(const TRequest& Request, std::string& Reply) {
    Reply.clear();
    if (modem_ != nullptr) {
        return modem_->SendText(Request.Command, Reply, Request.Terminator, Request.Tries,
                                Request.ModemTimeoutMs, Request.Log, Request.Keyword);
    }
    if (port_ == nullptr) {
        return false;
    }
    const bool strict = Request.Rule == rrNeedTerminator;
    const bool ok = port_->SendText(Request.Command, Reply, Request.Terminator, Request.Tries,
                                    Request.CableTimeoutMs, strict, Request.Log, Request.Keyword);
    if (!ok || ContainsNoCase(Reply, Request.Terminator)) {
        return ok;
    }
    if (Request.Rule == rrValueLine && !TReplyCollector::HasValueLine(Reply)) {
        // A fragment of a reply is no value.
        return false;
    }
    // The cable accepts a reply without its terminator on the last try; units omit "OK" for
    // some commands, so this stays a success, but the operator should see it.
    LogLine("Внимание: ответ без \"" + Trim(Request.Terminator) + "\" принят на команду " +
            Trim(Request.Command));
    return true;
}

bool TDevQuorvan::Query(const std::string& Keyword, std::string& Value,
                        const std::string& Terminator, int ModemTimeoutMs, int CableTimeoutMs) {
    Value.clear();
    std::string reply;
    if (!Send({BuildCommand(Keyword), Keyword, Terminator, kTries, ModemTimeoutMs, CableTimeoutMs,
               rrValueLine, true},
              reply)) {
        return false;
    }
    Value = ExtractReplyValue(reply);
    return true;
}

bool TDevQuorvan::QueryParam(const std::string& Keyword, std::string& Value) {
    return Query(Keyword, Value, kTerminator, kModemTimeoutMs, kCableTimeoutMs);
}

bool TDevQuorvan::QueryParamTimeout(const std::string& Command, std::string& Reply, int TimeoutMs,
                                    bool Extract) {
    std::string reply;
    // The reply's lines may name anything before ">" (history records name their index).
    if (!Send({BuildCommand(Command), "", kTerminator, kTries, TimeoutMs, TimeoutMs, rrValueLine,
               true},
              reply)) {
        Reply.clear();
        return false;
    }
    Reply = Extract ? ExtractReplyValue(reply) : reply;
    return true;
}

bool TDevQuorvan::QueryInt(const std::string& Keyword, int32_t& Number, bool Hex) {
    std::string value;
    if (!QueryParam(Keyword, value)) {
        return false;
    }
    int32_t number = 0;
    if (!(Hex ? ReadHexValue(value, number) : ReadDecimalValue(value, number))) {
        return false;
    }
    Number = number;
    return true;
}

bool TDevQuorvan::SetValue(const std::string& Keyword, const std::string& Value,
                           const std::string& Terminator) {
    std::string ignored;
    return Send({BuildCommand(Keyword + Value), Keyword, Terminator, kTries, kModemTimeoutMs,
                 kCableTimeoutMs, rrNeedTerminator, true},
                ignored);
}

bool TDevQuorvan::Command(const std::string& Command, const std::string& Keyword, int Tries,
                          int ModemTimeoutMs, int CableTimeoutMs) {
    std::string ignored;
    return Send({BuildCommand(Command), Keyword, kTerminator, Tries, ModemTimeoutMs, CableTimeoutMs,
                 rrNeedTerminator, true},
                ignored);
}

bool TDevQuorvan::SetText(const std::string& Keyword, const std::string& Text) {
    if (HasControlCharacters(Text)) {
        LogLine("Значение для " + Keyword + " содержит управляющие символы и не передано");
        return false;
    }
    // The line carries Windows-1251; a character outside it cannot reach the unit.
    std::string bytes;
    if (!TryUtf8ToCp1251(Text, bytes)) {
        LogLine("Значение для " + Keyword + " содержит недопустимые символы и не передано");
        return false;
    }
    return SetValue(Keyword, Text);
}

bool TDevQuorvan::SetHexParam(const std::string& Keyword, uint32_t Number, int Width) {
    return SetValue(Keyword, IntToHex(Number, Width));
}

// Raw commands (the bootloader's dialogue) return whatever came; only a refusal fails them.
bool TDevQuorvan::SendCommand(const std::string& Command, std::string& Reply, bool Log) {
    return Send({BuildCommand(Command), "", kTerminator, 1, kCommandTimeoutMs, kCommandTimeoutMs,
                 rrAnyReply, Log},
                Reply);
}

bool TDevQuorvan::SendSlowCommand(const std::string& Command, std::string& Reply, bool Log) {
    return Send({BuildCommand(Command), "", kTerminator, 1, kSlowCommandTimeoutMs,
                 kSlowCommandTimeoutMs, rrAnyReply, Log},
                Reply);
}

bool TDevQuorvan::SendSlowCommandRetry(const std::string& Command, std::string& Reply, bool Log) {
    return Send({BuildCommand(Command), "", kTerminator, kTries, kSlowCommandTimeoutMs,
                 kSlowCommandTimeoutMs, rrAnyReply, Log},
                Reply);
}

bool TDevQuorvan::CableConnect() {
    return Command("CABLE CONNECT", "CABLE CONNECT", kTries, kModemTimeoutMs, kCableTimeoutMs);
}

bool TDevQuorvan::CableDisconnect() {
    return Command("CABLE DISCONNECT", "CABLE DISCONNECT", kTries, kModemTimeoutMs,
                   kCableTimeoutMs);
}

bool TDevQuorvan::ResetMFlags() {
    return Command("mflag", "mflag", kTries, kModemTimeoutMs, kCableTimeoutMs);
}

// ---- settings ---------------------------------------------------------------------------------

bool TDevQuorvan::GetObjectNumber(int32_t& Number) {
    return QueryInt("object", Number, false);
}

bool TDevQuorvan::SetObjectNumber(int32_t Number) {
    return SetValue("object", Format("%.4d", {Number}));
}

bool TDevQuorvan::GetPeriodGsm(int32_t& Minutes) {
    return QueryInt("periodgsm", Minutes, true);
}
bool TDevQuorvan::SetPeriodGsm(uint32_t Minutes) {
    return SetHexParam("periodgsm", Minutes, 4);
}
bool TDevQuorvan::GetPeriodGps(int32_t& Minutes) {
    return QueryInt("periodgps", Minutes, true);
}
bool TDevQuorvan::SetPeriodGps(uint32_t Minutes) {
    return SetHexParam("periodgps", Minutes, 4);
}
bool TDevQuorvan::GetPeriodGs1(int32_t& Minutes) {
    return QueryInt("periodgs1", Minutes, true);
}
bool TDevQuorvan::SetPeriodGs1(uint32_t Minutes) {
    return SetHexParam("periodgs1", Minutes, 4);
}
bool TDevQuorvan::GetPeriodGp1(int32_t& Minutes) {
    return QueryInt("periodgp1", Minutes, true);
}
bool TDevQuorvan::SetPeriodGp1(uint32_t Minutes) {
    return SetHexParam("periodgp1", Minutes, 4);
}

bool TDevQuorvan::GetActiveTime(std::string& Code) {
    return QueryParam("activetime", Code);
}

// An empty code would go out as the bare keyword, which the unit takes as a read.
bool TDevQuorvan::SetActiveTime(const std::string& Code) {
    return !Code.empty() && SetText("activetime", Code);
}

bool TDevQuorvan::GetActiveTim1(std::string& Code) {
    return QueryParam("activetim1", Code);
}

bool TDevQuorvan::SetActiveTim1(const std::string& Code) {
    return !Code.empty() && SetText("activetim1", Code);
}

bool TDevQuorvan::GetDontSleep(std::string& Code) {
    return QueryParam("dontsleep", Code);
}

bool TDevQuorvan::SetDontSleep(bool Duty, bool SleepWithFix, bool Sleep) {
    const std::string code = DontSleepValue(Duty, SleepWithFix, Sleep);
    return !code.empty() && SetValue("dontsleep", code);
}

bool TDevQuorvan::GetWakeFr(std::string& Value) {
    return QueryParam("wakefr", Value);
}
bool TDevQuorvan::SetWakeFr(bool On) {
    return SetValue("wakefr", OnOffValue(On));
}

bool TDevQuorvan::GetZone(TZoneCoordinates& Coordinates, bool& Enabled) {
    std::string value;
    return QueryParam("zone", value) && ParseZoneValue(value, Coordinates, Enabled);
}

bool TDevQuorvan::SetZone(bool Enabled, const TZoneBounds& Bounds) {
    return SetValue("zone", ZoneValue(Enabled, Bounds));
}

bool TDevQuorvan::GetDZoneSleep(std::string& Value) {
    return QueryParam("dzonesleep", Value);
}

// The one on/off keyword the other way round: "FF" switches on once.
bool TDevQuorvan::SetDZoneSleep(bool Once) {
    return SetValue("dzonesleep", Once ? "FF" : "00");
}

bool TDevQuorvan::GetFlags(const std::string& Keyword, TFlagArray& Flags, bool FirstTwo) {
    std::string value;
    if (!QueryParam(Keyword, value)) {
        return false;
    }
    int32_t number = 0;
    if (!ReadHexValue(FirstTwo ? value.substr(0, 2) : value, number)) {
        return false;
    }
    Flags = FlagArrayFromNumber(static_cast<uint32_t>(number));
    return true;
}

bool TDevQuorvan::GetZAct(TFlagArray& Flags) {
    return GetFlags("zact", Flags, false);
}
bool TDevQuorvan::SetZAct(const TFlagArray& Flags) {
    return SetHexParam("zact", FlagArrayToByte(Flags), 2);
}
bool TDevQuorvan::GetZRen(TFlagArray& Flags) {
    return GetFlags("zren", Flags, false);
}
bool TDevQuorvan::SetZRen(const TFlagArray& Flags) {
    return SetHexParam("zren", FlagArrayToByte(Flags), 2);
}
bool TDevQuorvan::GetFlagAct(TFlagArray& Flags) {
    return GetFlags("flagact", Flags, true);
}
bool TDevQuorvan::SetFlagAct(const TFlagArray& Flags) {
    return SetHexParam("flagact", FlagArrayToByte(Flags), 2);
}
bool TDevQuorvan::GetFlagRen(TFlagArray& Flags) {
    return GetFlags("flagren", Flags, true);
}
bool TDevQuorvan::SetFlagRen(const TFlagArray& Flags) {
    return SetHexParam("flagren", FlagArrayToByte(Flags), 2);
}

bool TDevQuorvan::GetMFlags(TEventFlagArray& Trigger, TEventFlagArray& Restore) {
    int32_t number = 0;
    if (!QueryInt("MFLAG", number, true)) {
        return false;
    }
    SplitEventFlags(static_cast<uint32_t>(number), Trigger, Restore);
    return true;
}

bool TDevQuorvan::GetGprsApn(std::string& Text) {
    return QueryParam("GAPN", Text);
}
bool TDevQuorvan::SetGprsApn(const std::string& Text) {
    return SetText("GAPN", Text);
}
bool TDevQuorvan::GetGprsPhone(std::string& Text) {
    return QueryParam("gphone", Text);
}
bool TDevQuorvan::SetGprsPhone(const std::string& Text) {
    return SetText("gphone", Text);
}
bool TDevQuorvan::GetGprsName(std::string& Text) {
    return QueryParam("gprsname", Text);
}
bool TDevQuorvan::SetGprsName(const std::string& Text) {
    return SetText("gprsname", Text);
}
bool TDevQuorvan::GetGprsPassword(std::string& Text) {
    return QueryParam("gprspswd", Text);
}
bool TDevQuorvan::SetGprsPassword(const std::string& Text) {
    return SetText("gprspswd", Text);
}
bool TDevQuorvan::GetIpAddress(std::string& Text) {
    return QueryParam("IPadr", Text);
}
bool TDevQuorvan::SetIpAddress(const std::string& Text) {
    return SetText("IPadr", Text);
}
bool TDevQuorvan::GetIpPort(int32_t& Port) {
    return QueryInt("IPport", Port, false);
}

bool TDevQuorvan::SetIpPort(int32_t Port) {
    if (Port < 0 || Port > 65535) {
        LogLine("Номер порта " + IntToStr(Port) + " вне пределов 0..65535 и не передан");
        return false;
    }
    return SetValue("IPport", IntToStr(Port));
}

bool TDevQuorvan::GetServerPassword(std::string& Text) {
    return QueryParam("servpswd", Text);
}
bool TDevQuorvan::SetServerPassword(const std::string& Text) {
    return SetText("servpswd", Text);
}

bool TDevQuorvan::GetGprsEnabled(bool& On) {
    On = false;
    std::string value;
    if (!QueryParam("gprsena", value)) {
        return false;
    }
    On = value.find("FF") == std::string::npos;
    return true;
}

bool TDevQuorvan::SetGprsEnabled(bool On) {
    return SetValue("gprsena", OnOffValue(On));
}
bool TDevQuorvan::GetActiveGsm(int32_t& Seconds) {
    return QueryInt("activegsm", Seconds, true);
}

bool TDevQuorvan::SetActiveGsm(const std::string& Seconds) {
    return SetValue("activegsm", ActiveGsmValue(Seconds));
}

bool TDevQuorvan::GetTimeGpRes(int32_t& Minutes) {
    return QueryInt("timegpres", Minutes, true);
}
bool TDevQuorvan::SetTimeGpRes(uint32_t Minutes) {
    return SetHexParam("timegpres", Minutes, 2);
}

bool TDevQuorvan::GetAlarmLogic(int& Item) {
    int32_t number = 0;
    if (!QueryInt("allogic", number, true)) {
        return false;
    }
    AlarmLogicItem(static_cast<uint32_t>(number), Item);
    return true;
}

bool TDevQuorvan::SetAlarmLogic(int Item, int Kind, bool Flag) {
    return SetHexParam("allogic", AlarmLogicCode(Item, Kind, Flag), 2);
}

bool TDevQuorvan::GetAlarmPhone(int Index, std::string& Text) {
    Text.clear();
    const std::string keyword = IndexedKeyword("alphon", Index);
    return !keyword.empty() && QueryParam(keyword, Text);
}

bool TDevQuorvan::SetAlarmPhone(int Index, const std::string& Text) {
    const std::string keyword = IndexedKeyword("alphon", Index);
    return !keyword.empty() && SetText(keyword, Text);
}

bool TDevQuorvan::GetServicePhone(int Index, std::string& Text) {
    Text.clear();
    const std::string keyword = IndexedKeyword("ing", Index);
    return !keyword.empty() && QueryParam(keyword, Text);
}

// An empty number goes out as one blank: the bare keyword would be a read.
bool TDevQuorvan::SetServicePhone(int Index, const std::string& Text) {
    const std::string keyword = IndexedKeyword("ing", Index);
    return !keyword.empty() && SetText(keyword, Text.empty() ? std::string(" ") : Text);
}

bool TDevQuorvan::GetServicePhonesEnabled(bool& On) {
    int32_t number = 0;
    if (!QueryInt("enaing", number, true)) {
        return false;
    }
    if (number == 0x00) {
        On = true;
    } else if (number == 0xFF) {
        On = false;
    }
    return true;
}

bool TDevQuorvan::SetServicePhonesEnabled(bool On) {
    return SetValue("enaing", OnOffValue(On));
}
bool TDevQuorvan::GetDontCharge(std::string& Value) {
    return QueryParam("dontcharge", Value);
}
bool TDevQuorvan::SetDontCharge(bool On) {
    return SetValue("dontcharge", OnOffValue(On));
}
bool TDevQuorvan::GetEdgeIgn(std::string& Value) {
    return QueryParam("edgeign", Value);
}

bool TDevQuorvan::SetEdgeIgn(const std::string& Volts) {
    return SetValue("edgeign", EdgeIgnValue(Volts));
}

bool TDevQuorvan::GetCurSupp(std::string& Value) {
    return QueryParam("cursupp", Value);
}

bool TDevQuorvan::GetLookIgn(std::string& Value) {
    return Query("lookign", Value, kLookIgnTerminator, kLookIgnTimeoutMs, kLookIgnTimeoutMs);
}

bool TDevQuorvan::SetLookIgn(bool On) {
    return SetValue("lookign", OnOffValue(On), kLookIgnTerminator);
}

bool TDevQuorvan::GetPanelType(std::string& Value) {
    return QueryParam("typepan", Value);
}
bool TDevQuorvan::GetPGps(std::string& Value) {
    return QueryParam("PGPS", Value);
}
bool TDevQuorvan::GetPointCount(int32_t& Point) {
    return QueryInt("point", Point, true);
}
bool TDevQuorvan::GetNsPoint(std::string& Value) {
    return QueryParam("nspoint", Value);
}

bool TDevQuorvan::SetNsPoint(const std::string& Value) {
    return !Value.empty() && SetText("nspoint", Value);
}

bool TDevQuorvan::GetVersionText(std::string& Text) {
    return QueryParam("v", Text);
}
