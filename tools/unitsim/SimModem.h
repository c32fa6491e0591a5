#pragma once
// A GSM modem in front of the simulated unit: the PC's AT dialogue (reset, check, registration
// query, bearer, dial, hang-up) in command state, and once the call stands ("CONNECT") a data
// state that relays every byte to the unit and the unit's bytes back. "+++" returns to command
// state only with the guard time a Hayes modem keeps: silence before the first "+", the three
// "+" close together, and silence after the last; otherwise the "+" are data for the unit.

#include "tools/unitsim/SimHost.h"

#include <string>
#include <string_view>
#include <vector>

class TSimUnit;

struct TModemOptions {
    int RegStatus = 1;           // registration status once registered (1 home, 5 roaming)
    int RegPollsBeforeFinal = 0; // this many "AT+CREG?" are answered with status 2 first
    int DialDelayMs = 300;       // from "ATD" to the result
    // Result of a dial: empty connects; otherwise "BUSY", "NO CARRIER", "NO DIALTONE",
    // "NO ANSWER" or "ERROR".
    std::string DialResult;
    std::string ConnectText = "CONNECT 9600";
    int GuardMs = 1000;        // escape guard time; 0: "+++" escapes at once
    bool AnswerError = false;  // every AT command is answered "ERROR"
    int ResultDelayMs = 0;     // every result of an AT command comes this much later
    bool Silent = false;       // the modem answers nothing
    int HangUpAfterLines = -1; // this many lines reach the unit, then the call drops (-1: never)
};

class TSimModem {
public:
    enum TState { msCommand, msDialling, msOnline };

    TSimModem(TSimHost& host, TSimUnit& unit);

    // Bytes from the PC.
    void Feed(std::string_view bytes);
    // Bytes from the unit: reach the PC only while the call is up and in data state.
    void FromUnit(std::string bytes);
    // The far end drops the call: "NO CARRIER" when a call was up.
    void DropCall();

    TModemOptions& Options() { return options_; }
    TState State() const { return state_; }
    bool CallUp() const { return callUp_; }
    bool Echo() const { return echo_; }
    // Every AT command line in order, as typed, and "+++" for each accepted escape.
    const std::vector<std::string>& Commands() const { return commands_; }
    // The numbers dialled (text after "ATD", blanks removed).
    const std::vector<std::string>& Dialled() const { return dialled_; }
    void ClearCommands() {
        commands_.clear();
        dialled_.clear();
    }

private:
    void FeedCommand(char c);
    void Execute(const std::string& line);
    void Result(const std::string& word);
    void FeedOnline(std::string_view bytes, TSimHost::TClock::time_point now);
    void CheckEscape(unsigned serial);
    void RelayToUnit(std::string_view bytes);

    TSimHost& host_;
    TSimUnit& unit_;
    TModemOptions options_;
    TState state_ = msCommand;
    bool callUp_ = false;
    bool echo_ = false;
    int regPolls_ = 0;
    std::string line_;
    std::vector<std::string> commands_;
    std::vector<std::string> dialled_;
    // Escape detection in data state.
    TSimHost::TClock::time_point lastByte_{};
    int pluses_ = 0;
    unsigned byteSerial_ = 0;
    int linesRelayed_ = 0;
};
