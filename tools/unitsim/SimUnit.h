#pragma once
// The simulated unit's command interpreter: assembles the lines the PC sends (each ended by a
// carriage return), answers "+" keyword commands from a handler table and bare words such as
// "CABLE CONNECT" from a second table, and shapes every reply ("keyword>value", "OK", "ERROR")
// with the reply-shape switches and link faults in force.
//
// Every part of the unit plugs in through the tables: the settings store registers one handler
// per keyword; a history ring, a GPS receiver model or a bootloader registers its own keywords,
// installs a line filter that sees each line before the tables (a bootloader state), or takes the
// raw byte stream for a while (a pass-through).

#include "tools/unitsim/SettingStore.h"
#include "tools/unitsim/SimHost.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One reply of the unit, before it is shaped into bytes.
struct TUnitReply {
    enum TKind {
        urNone,  // no answer at all
        urOk,    // "OK"
        urError, // "ERROR"
        urValue, // [Name] ">" Value, then "OK"
        urLines, // each of Lines, then "OK"
        urRaw,   // Raw exactly as given; no shape switch or fault applies but delay and pacing
    };
    TKind Kind = urNone;
    std::string Name;
    std::string Value;
    std::vector<std::string> Lines;
    std::string Raw;

    static TUnitReply None() { return {}; }
    static TUnitReply Ok() { return {urOk, {}, {}, {}, {}}; }
    static TUnitReply Error() { return {urError, {}, {}, {}, {}}; }
    static TUnitReply ValueOf(std::string name, std::string value) {
        return {urValue, std::move(name), std::move(value), {}, {}};
    }
    static TUnitReply LinesThenOk(std::vector<std::string> lines) {
        return {urLines, {}, {}, std::move(lines), {}};
    }
    static TUnitReply RawBytes(std::string raw) { return {urRaw, {}, {}, {}, std::move(raw)}; }
};

// One command line as the unit understood it.
struct TUnitRequest {
    std::string Line;    // the whole line, without its carriage return
    std::string Keyword; // the keyword (or the bare word)
    std::string Value;   // what followed the keyword; empty for a read
    bool IsWrite() const { return !Value.empty(); }
};

using TKeywordHandler = std::function<TUnitReply(const TUnitRequest&)>;

// How replies look. The echo of the keyword before ">" and the setter's reply are not fixed by
// what the PC requires; both shapes are served so that the PC can be tested against either.
struct TReplyShape {
    bool EchoKeyword = true;       // "object>0050" (on) or ">0050" (off)
    bool SetterEchoesValue = true; // a write answered "object>0051", "OK" (on) or only "OK" (off)
    std::string LineEnd = "\r\n";
};

// Link faults applied to the unit's replies.
struct TUnitFaults {
    bool Silent = false;      // commands are taken off the line and never answered or executed
    int DelayMs = 0;          // every reply starts this much later
    std::string Garbage;      // bytes sent before every reply
    int CutAfter = -1;        // only the first CutAfter bytes of a reply are sent (-1: whole reply)
    bool AnswerError = false; // every command is refused with "ERROR"
    bool DropOk = false;      // the closing "OK" line is left out
    int SplitGapMs = 0;       // > 0: a reply is sent in two parts this far apart
    int SplitAt = -1;         // where the split falls (-1: the middle)
    // Faults of one named request (the keyword after "+", or a bare word such as
    // "GPSACCESS_ON"); empty: none.
    std::string RefuseKeyword; // this request is refused with "ERROR" and not executed
    std::string SilentKeyword; // this request is taken off the line, never answered or executed
    std::string LateKeyword;   // this request's reply comes LateMs late, then again RepeatMs later
    int LateMs = 3500;
    int RepeatMs = 500; // <= 0: no second copy
};

class TSimUnit {
public:
    explicit TSimUnit(TSimHost& host);

    // Bytes from the line (the PC, or the modem once a call stands).
    void Feed(std::string_view bytes);

    // Handler of "+keyword[value]": the longest registered keyword that begins the line after "+"
    // takes it. Keywords are case-sensitive ("MFLAG" and "mflag" are different commands).
    void RegisterKeyword(const std::string& keyword, TKeywordHandler handler);
    // Handler of a line that is exactly `word` (no "+"), such as "CABLE CONNECT".
    void RegisterWord(const std::string& word, TKeywordHandler handler);
    void UnregisterKeyword(const std::string& keyword);
    bool HasKeyword(const std::string& keyword) const;

    // Sees every line first; a reply it returns ends the line's handling. Empty: none.
    using TLineFilter = std::function<std::optional<TUnitReply>(const std::string& line)>;
    void SetLineFilter(TLineFilter filter);
    // While set, every byte from the line goes here instead of into lines.
    using TRawInput = std::function<void(std::string_view bytes)>;
    void SetRawInput(TRawInput input);

    // Shapes `reply`, applies the faults and sends it.
    void Reply(const TUnitReply& reply);
    // Sends bytes as they are, after `delayMs`, with no shape or fault applied (unsolicited text).
    void Emit(std::string bytes, int delayMs = 0);
    // Where the unit's bytes go when they are due; the server routes them through the modem on
    // the modem link. The default transmits straight onto the line.
    void SetDeliver(std::function<void(std::string)> deliver);

    // The next command lines are answered with these bytes instead of the usual reply (an empty
    // string: no answer), one per line, and are not executed.
    void ScriptReply(std::string raw);

    // A freshly powered unit talks to its own GSM module on the line: "AT" at once and an "AT+C"
    // line `laterMs` afterwards.
    void PowerUpChatter(int laterMs);

    // Values the "cursupp" read reports in turn (cycling); empty: the stored value.
    void SetSupplySeries(std::vector<std::string> series);

    TSettingStore& Settings() { return settings_; }
    TReplyShape& Shape() { return shape_; }
    TUnitFaults& Faults() { return faults_; }
    TSimHost& Host() { return host_; }

    // Every command line received, in order, without its carriage return.
    const std::vector<std::string>& Lines() const { return lines_; }
    void ClearLines() { lines_.clear(); }
    // Between "CABLE CONNECT" and "CABLE DISCONNECT".
    bool CableSession() const { return cableSession_; }

    // The bytes `reply` is sent as with the current shape (faults not applied).
    std::string Render(const TUnitReply& reply) const;

private:
    void Dispatch(const std::string& line);
    TUnitReply Handle(const std::string& line);
    // The registered word or keyword that `line` names; empty when none.
    std::string KeywordOf(const std::string& line) const;
    // Sends a shaped reply `delayMs` from now, split when the split fault is on.
    void DeliverShaped(const std::string& text, int delayMs);
    void RegisterSettings();
    void Deliver(std::string bytes, int delayMs);

    TSimHost& host_;
    TSettingStore settings_;
    TReplyShape shape_;
    TUnitFaults faults_;
    std::map<std::string, TKeywordHandler> keywords_;
    std::map<std::string, TKeywordHandler> words_;
    size_t longestKeyword_ = 0;
    TLineFilter lineFilter_;
    // Shared so that a consumer keeps its state between calls and may clear itself mid-call.
    std::shared_ptr<TRawInput> rawInput_;
    std::function<void(std::string)> deliver_;
    std::deque<std::string> script_;
    std::vector<std::string> supplySeries_;
    size_t supplyIndex_ = 0;
    std::string partial_;
    std::string lineKeyword_; // the keyword of the line being answered
    std::vector<std::string> lines_;
    bool cableSession_ = false;
};
