#pragma once
// The GPS receiver behind the unit, reached through the unit's pass-through.
//
// "GPSACCESS_ON" hands the line to the receiver, a text sentence switches the receiver to its
// binary frame protocol, and frames (sent and received as hexadecimal text) then read its clock,
// almanac and ephemeris or write them back; a frame switches it back to text and "GPSACCESS_OFF"
// returns the line to the unit. Hex requests listen for their whole time limit, so the limits
// are also the receiver's reply windows. Each request goes over the modem worker when the command
// object has one, else over the cable's port worker.
//
// These are the command object's GPS operations; they take it as their first argument.

#include <string>

class TDevQuorvan;
class TStrings;

// "GPSACCESS_ON" (bare, 1 try, 4.5 s modem / 3 s cable, "OK").
bool GpsAccessOn(TDevQuorvan& Dev);
// The text sentence that switches the receiver to binary frames at 9600 bit/s (1 try). The
// receiver does not answer it with "OK", so its result says little.
bool GpsSwitchToBinary(TDevQuorvan& Dev);
// Polls the clock status. WeekAndTime: "WW WW TT TT TT TT" (week, time of week in hundredths of
// a second); Drift: "DD DD DD DD". False unless a whole, checksummed clock frame came back.
bool GpsReadClock(TDevQuorvan& Dev, std::string& WeekAndTime, std::string& Drift);
// Polls the almanac and appends the frames of satellites 1 to 32 to List (one frame text per
// line); true when all 32 came back whole.
bool GpsReadAlmanac(TDevQuorvan& Dev, TStrings& List);
// Polls the ephemeris and appends the frames that came back, in satellite order; satellites
// without one are skipped. False only when a satellite's frame came back broken.
bool GpsReadEphemeris(TDevQuorvan& Dev, TStrings& List);
// Lines 2 to 33 of an aiding file (List has at least 34 lines) as one set-almanac frame. Nothing
// is sent, and the result is false, when one of those lines is not its satellite's almanac frame.
bool GpsWriteAlmanac(TDevQuorvan& Dev, const TStrings& List);
// One set-ephemeris frame for each line from 34 on; stops, false, at the first line that is not
// a well-formed ephemeris frame, sending nothing for it.
bool GpsWriteEphemeris(TDevQuorvan& Dev, const TStrings& List);
// Initialises the receiver with a fixed approximate position and Aiding: ten hex pairs of clock
// drift (4), time of week (4, hundredths of a second) and week (2). Raises EConvertError when
// Aiding is not ten hex pairs.
bool GpsInitDataSource(TDevQuorvan& Dev, const std::string& Aiding);
// The frame that switches the receiver back to its text protocol.
bool GpsSwitchToNmea(TDevQuorvan& Dev);
// "GPSACCESS_OFF" (bare, 3 tries).
bool GpsAccessOff(TDevQuorvan& Dev);
