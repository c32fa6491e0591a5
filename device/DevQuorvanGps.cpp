#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/GpsAidingFile.h"
#include "device/GpsFrame.h"
#include "device/ModemWorker.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"

#include <vector>

namespace {

const std::string kTerminator = "OK";
constexpr int kSwitchTries = 1;
constexpr int kAccessOffTries = 3;

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

} // namespace

bool TDevQuorvan::SendFrame(const TGpsBytes& Frame, std::string& Reply, int ModemTimeoutMs,
                            int CableTimeoutMs) {
    Reply.clear();
    const std::string command = TGpsFrame::HexText(Frame);
    if (modem_ != nullptr) {
        return modem_->SendHex(command, Reply, "", 1, static_cast<uint32_t>(ModemTimeoutMs));
    }
    if (port_ != nullptr) {
        return port_->SendHex(command, Reply, "", 1, static_cast<uint32_t>(CableTimeoutMs));
    }
    return false;
}

bool TDevQuorvan::GpsAccessOn() {
    std::string reply;
    return Send({"GPSACCESS_ON", "", kTerminator, kSwitchTries, kSwitchLimits.Modem,
                 kSwitchLimits.Cable, rrNeedTerminator, true},
                reply);
}

bool TDevQuorvan::GpsSwitchToBinary() {
    std::string reply;
    return Send({"$PSRF100,0,9600,8,0,0*0D", "", kTerminator, kSwitchTries, kSwitchLimits.Modem,
                 kSwitchLimits.Cable, rrAnyReply, true},
                reply);
}

bool TDevQuorvan::GpsReadClock(std::string& WeekAndTime, std::string& Drift) {
    std::string reply;
    SendFrame(TGpsFrame::PollClockStatus(), reply, kClockLimits.Modem, kClockLimits.Cable);
    return TGpsFrame::ParseClockStatus(reply, WeekAndTime, Drift);
}

bool TDevQuorvan::GpsReadAlmanac(TStrings& List) {
    std::string reply;
    SendFrame(TGpsFrame::PollAlmanac(), reply, kAlmanacLimits.Modem, kAlmanacLimits.Cable);
    std::vector<std::string> frames;
    const bool all = TGpsFrame::ParseAlmanac(reply, frames);
    List.AddStrings(frames);
    return all;
}

bool TDevQuorvan::GpsReadEphemeris(TStrings& List) {
    std::string reply;
    SendFrame(TGpsFrame::PollEphemeris(), reply, kEphemerisLimits.Modem, kEphemerisLimits.Cable);
    std::vector<std::string> frames;
    const bool whole = TGpsFrame::ParseEphemeris(reply, frames);
    List.AddStrings(frames);
    return whole;
}

bool TDevQuorvan::GpsWriteAlmanac(const TStrings& List) {
    TGpsBytes data;
    if (!TGpsAidingFile::AlmanacData(List.ToVector(), data)) {
        return false;
    }
    std::string reply;
    SendFrame(TGpsFrame::SetAlmanac(data), reply, kWriteLimits.Modem, kWriteLimits.Cable);
    return true;
}

bool TDevQuorvan::GpsWriteEphemeris(const TStrings& List) {
    for (int i = static_cast<int>(TGpsAidingFile::EphemerisFirstLine); i < List.Count(); ++i) {
        TGpsBytes data;
        if (!TGpsAidingFile::EphemerisData(List[i], data)) {
            return false;
        }
        std::string reply;
        SendFrame(TGpsFrame::SetEphemeris(data), reply, kWriteLimits.Modem, kWriteLimits.Cable);
    }
    return true;
}

bool TDevQuorvan::GpsInitDataSource(const std::string& Aiding) {
    TGpsBytes aiding;
    if (!TGpsFrame::ParseHexText(Aiding, aiding) || aiding.size() != 10) {
        throw EConvertError("'" + Aiding + "' is not ten hexadecimal byte values");
    }
    std::string reply;
    return SendFrame(TGpsFrame::InitDataSource(aiding), reply, kWriteLimits.Modem,
                     kWriteLimits.Cable);
}

bool TDevQuorvan::GpsSwitchToNmea() {
    std::string reply;
    return SendFrame(TGpsFrame::SwitchToNmea(), reply, kSwitchLimits.Modem, kSwitchLimits.Cable);
}

bool TDevQuorvan::GpsAccessOff() {
    std::string reply;
    return Send({"GPSACCESS_OFF", "", kTerminator, kAccessOffTries, kSwitchLimits.Modem,
                 kSwitchLimits.Cable, rrNeedTerminator, true},
                reply);
}
