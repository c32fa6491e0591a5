#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/GpsAidingFile.h"
#include "device/GpsFrame.h"
#include "device/GpsPassThrough.h"
#include "device/ModemWorker.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"

#include <vector>

namespace {

const std::string kTerminator = "OK";

// Time limits, modem link then cable link.
struct TLimits {
    int Modem;
    int Cable;
};
constexpr TLimits kSwitchLimits{4500, 3000};
constexpr TLimits kClockLimits{4500, 3000};
constexpr TLimits kAlmanacLimits{3000, 3000};
constexpr TLimits kEphemerisLimits{9000, 9000};
constexpr TLimits kWriteLimits{500, 500};

bool SendText(TDevQuorvan& Dev, const std::string& Command, int Tries, TLimits Limits) {
    std::string reply;
    if (Dev.Modem() != nullptr) {
        return Dev.Modem()->SendText(Command, reply, kTerminator, Tries,
                                     static_cast<uint32_t>(Limits.Modem), true);
    }
    if (Dev.Port() != nullptr) {
        return Dev.Port()->SendText(Command, reply, kTerminator, Tries,
                                    static_cast<uint32_t>(Limits.Cable), false, true);
    }
    return false;
}

// Sends a frame and collects what comes back for the whole time limit.
bool SendFrame(TDevQuorvan& Dev, const TGpsBytes& Frame, std::string& Reply, TLimits Limits) {
    Reply.clear();
    const std::string command = TGpsFrame::HexText(Frame);
    if (Dev.Modem() != nullptr) {
        return Dev.Modem()->SendHex(command, Reply, "", 1, static_cast<uint32_t>(Limits.Modem));
    }
    if (Dev.Port() != nullptr) {
        return Dev.Port()->SendHex(command, Reply, "", 1, static_cast<uint32_t>(Limits.Cable));
    }
    return false;
}

std::vector<std::string> Lines(const TStrings& List) {
    return List.ToVector();
}

} // namespace

bool GpsAccessOn(TDevQuorvan& Dev) {
    return SendText(Dev, "GPSACCESS_ON", 1, kSwitchLimits);
}

bool GpsSwitchToBinary(TDevQuorvan& Dev) {
    return SendText(Dev, "$PSRF100,0,9600,8,0,0*0D", 1, kSwitchLimits);
}

bool GpsReadClock(TDevQuorvan& Dev, std::string& WeekAndTime, std::string& Drift) {
    std::string reply;
    SendFrame(Dev, TGpsFrame::PollClockStatus(), reply, kClockLimits);
    return TGpsFrame::ParseClockStatus(reply, WeekAndTime, Drift);
}

bool GpsReadAlmanac(TDevQuorvan& Dev, TStrings& List) {
    std::string reply;
    SendFrame(Dev, TGpsFrame::PollAlmanac(), reply, kAlmanacLimits);
    std::vector<std::string> frames;
    const bool all = TGpsFrame::ParseAlmanac(reply, frames);
    List.AddStrings(frames);
    return all;
}

bool GpsReadEphemeris(TDevQuorvan& Dev, TStrings& List) {
    std::string reply;
    SendFrame(Dev, TGpsFrame::PollEphemeris(), reply, kEphemerisLimits);
    std::vector<std::string> frames;
    const bool whole = TGpsFrame::ParseEphemeris(reply, frames);
    List.AddStrings(frames);
    return whole;
}

bool GpsWriteAlmanac(TDevQuorvan& Dev, const TStrings& List) {
    TGpsBytes data;
    if (!TGpsAidingFile::AlmanacData(Lines(List), data)) {
        return false;
    }
    std::string reply;
    SendFrame(Dev, TGpsFrame::SetAlmanac(data), reply, kWriteLimits);
    return true;
}

bool GpsWriteEphemeris(TDevQuorvan& Dev, const TStrings& List) {
    for (int i = static_cast<int>(TGpsAidingFile::EphemerisFirstLine); i < List.Count(); ++i) {
        TGpsBytes data;
        if (!TGpsAidingFile::EphemerisData(List[i], data)) {
            return false;
        }
        std::string reply;
        SendFrame(Dev, TGpsFrame::SetEphemeris(data), reply, kWriteLimits);
    }
    return true;
}

bool GpsInitDataSource(TDevQuorvan& Dev, const std::string& Aiding) {
    TGpsBytes aiding;
    if (!TGpsFrame::ParseHexText(Aiding, aiding) || aiding.size() != 10) {
        throw EConvertError("'" + Aiding + "' is not ten hexadecimal byte values");
    }
    std::string reply;
    return SendFrame(Dev, TGpsFrame::InitDataSource(aiding), reply, kWriteLimits);
}

bool GpsSwitchToNmea(TDevQuorvan& Dev) {
    std::string reply;
    return SendFrame(Dev, TGpsFrame::SwitchToNmea(), reply, kSwitchLimits);
}

bool GpsAccessOff(TDevQuorvan& Dev) {
    return SendText(Dev, "GPSACCESS_OFF", 3, kSwitchLimits);
}
