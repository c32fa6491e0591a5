#include "app/pages/power/PowerExchange.h"

#include "app/controller/FirmwareGates.h"
#include "app/pages/PageLink.h"
#include "app/pages/common/CommonExchange.h"
#include "device/DevQuorvan.h"
#include "device/DeviceSettings.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

namespace {

const char* BoolText(bool on) {
    return on ? "true" : "false";
}

// The unit's threshold: its label is marked before the page takes the value, so that the page
// may mark it again (a value outside the track bar's range).
void ReadThreshold(TPageLink& link, TPowerDisplay& display) {
    std::string value;
    int32_t hundredths = 0;
    const bool ok = link.Device().GetEdgeIgn(value) && ReadHexValue(value, hundredths);
    link.Mark("lbetEdgeign", ok);
    if (ok)
        link.OnUserInterface([&] { display.ShowUnitThreshold(hundredths); });
}

// An on/off setting whose reply holds "00" when on.
void ReadSwitch(TPageLink& link, bool (TDevQuorvan::*get)(std::string&), const char* box,
                const char* label) {
    std::string reply;
    const bool ok = (link.Device().*get)(reply);
    if (ok)
        link.Show(box, BoolText(reply.find("00") != std::string::npos));
    link.Mark(label, ok);
}

void ReadPeriod(TPageLink& link, bool (TDevQuorvan::*get)(int32_t&), const char* prefix,
                const char* label) {
    int32_t minutes = 0;
    const bool ok = (link.Device().*get)(minutes);
    if (ok) {
        const TPeriodFields fields = PeriodFromMinutes(minutes);
        const std::string name = prefix;
        link.Show(name + "S", fields.Days);
        link.Show(name + "H", fields.Hours);
        link.Show(name + "M", fields.Minutes);
    }
    link.Mark(label, ok);
}

void ReadIgnitionWatch(TPageLink& link) {
    ReadSwitch(link, &TDevQuorvan::GetLookIgn, "cbLookIgn", "lbLookIgn");
    ReadPeriod(link, &TDevQuorvan::GetPeriodGs1, "etPerGPRS", "lbPerGPRS");
    ReadPeriod(link, &TDevQuorvan::GetPeriodGp1, "etPerGPS", "lbPerGPS");
    std::string code;
    const bool ok = link.Device().GetActiveTim1(code);
    if (ok)
        link.Show("cbActivetime", IntToStr(ActiveTimeItem(code)));
    link.Mark("lbetActivetime", ok);
}

void WriteIgnitionWatch(TPageLink& link, const TPowerValues& values) {
    TDevQuorvan& dev = link.Device();
    link.Mark("lbLookIgn", dev.SetLookIgn(values.LookIgn));
    link.Mark("lbPerGPRS",
              dev.SetPeriodGs1(static_cast<uint32_t>(PeriodMinutes(values.Reporting))));
    link.Mark("lbPerGPS", dev.SetPeriodGp1(static_cast<uint32_t>(PeriodMinutes(values.Fix))));
    const bool chosen =
        values.ActiveItem >= 0 && values.ActiveItem < static_cast<int>(ActiveTimeCodes.size());
    link.Mark("lbetActivetime",
              chosen && dev.SetActiveTim1(ActiveTimeCodes[static_cast<size_t>(values.ActiveItem)]));
}

} // namespace

void ReadSupplyVoltage(TPageLink& link, TPowerDisplay& display) {
    std::string value;
    int32_t hundredths = 0;
    const bool ok = link.Device().GetCurSupp(value) && ReadHexValue(value, hundredths);
    link.Mark("lbetCursupp", ok);
    if (ok)
        link.OnUserInterface([&] { display.ShowSupply(hundredths); });
    if (link.NewerThan(GateIgnition))
        ReadThreshold(link, display);
}

void ReadPowerPage(TPageLink& link, TPowerDisplay& display) {
    ReadSwitch(link, &TDevQuorvan::GetDontCharge, "cbCharge", "lbetCharge");
    if (link.NewerThan(GateIgnition))
        ReadIgnitionWatch(link);
    else
        ReadThreshold(link, display);
    ReadSupplyVoltage(link, display);
}

void WritePowerPage(TPageLink& link, const TPowerValues& values) {
    TDevQuorvan& dev = link.Device();
    link.Mark("lbetCharge", dev.SetDontCharge(values.DontCharge));
    link.Mark("lbetEdgeign", dev.SetEdgeIgn(values.Threshold));
    if (link.NewerThan(GateIgnition))
        WriteIgnitionWatch(link, values);
}
