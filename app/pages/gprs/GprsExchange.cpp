#include "app/pages/gprs/GprsExchange.h"

#include "app/controller/FirmwareGates.h"
#include "app/pages/PageLink.h"
#include "app/pages/gprs/GprsFields.h"
#include "device/DevQuorvan.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

namespace {

using TTextGetter = bool (TDevQuorvan::*)(std::string&);
using TTextSetter = bool (TDevQuorvan::*)(const std::string&);

// The page's text settings: getter, setter, edit, label.
struct TTextSetting {
    TTextGetter Get;
    TTextSetter Set;
    const char* Edit;
    const char* Label;
    std::string TGprsValues::*Value;
};

// In the order the unit is asked; the port sits between the address and the server's word.
const TTextSetting kBeforePort[] = {
    {&TDevQuorvan::GetGprsPhone, &TDevQuorvan::SetGprsPhone, "etGPRSphone", "lbetGPRSphone",
     &TGprsValues::DialNumber},
    {&TDevQuorvan::GetGprsApn, &TDevQuorvan::SetGprsApn, "etAccessPoint", "lbetAccessPoint",
     &TGprsValues::AccessPoint},
    {&TDevQuorvan::GetGprsName, &TDevQuorvan::SetGprsName, "etLoginGPRS", "lbetLoginGPRS",
     &TGprsValues::UserName},
    {&TDevQuorvan::GetGprsPassword, &TDevQuorvan::SetGprsPassword, "etPswdGPRS", "lbetPswdGPRS",
     &TGprsValues::UserPassword},
    {&TDevQuorvan::GetIpAddress, &TDevQuorvan::SetIpAddress, "etIp", "lbetIp",
     &TGprsValues::ServerAddress},
};
const TTextSetting kServerPassword = {&TDevQuorvan::GetServerPassword,
                                      &TDevQuorvan::SetServerPassword, "etPswd", "lbetPswd",
                                      &TGprsValues::ServerPassword};

void ReadText(TPageLink& link, const TTextSetting& setting) {
    std::string text;
    const bool ok = (link.Device().*setting.Get)(text);
    if (ok)
        link.Show(setting.Edit, text);
    link.Mark(setting.Label, ok);
}

void WriteText(TPageLink& link, const TTextSetting& setting, const TGprsValues& values) {
    link.Mark(setting.Label, (link.Device().*setting.Set)(values.*setting.Value));
}

void ReadSwitchedPart(TPageLink& link) {
    TDevQuorvan& dev = link.Device();
    bool on = false;
    const bool read = dev.GetGprsEnabled(on);
    if (read)
        link.Show("cbGPRS", on ? "true" : "false");
    link.Mark("lbGPRS", read);
    // The online time counts only while GPRS is off.
    if (!read || !on) {
        int32_t seconds = 0;
        const bool ok = dev.GetActiveGsm(seconds);
        if (ok)
            link.Show("meGPRSTime", Format("%.5d", {seconds}));
        link.Mark("lbGPRSTime", ok);
    }
    std::string phone;
    const bool phoneRead = dev.GetAlarmPhone(0, phone);
    if (phoneRead)
        link.Show("etPhone1", phone);
    link.Mark("lbp1", phoneRead);
    // A channel the list does not hold leaves the combo box with nothing chosen.
    int item = -1;
    const bool itemRead = dev.GetAlarmLogic(item);
    if (itemRead)
        link.Show("cb1", IntToStr(item));
    link.Mark("lbp1", itemRead);
}

void WriteSwitchedPart(TPageLink& link, const TGprsValues& values) {
    TDevQuorvan& dev = link.Device();
    link.Mark("lbGPRS", dev.SetGprsEnabled(values.GprsOn));
    if (!values.GprsOn)
        link.Mark("lbGPRSTime", dev.SetActiveGsm(values.OnlineTime));
    link.Mark("lbp1", dev.SetAlarmPhone(0, values.AlertPhone));
    if (values.AlertItem >= 0)
        dev.SetAlarmLogic(values.AlertItem, 0, false);
    else
        link.Mark("lbp1", false);
}

} // namespace

void ReadGprsPage(TPageLink& link, int restartFirst) {
    TDevQuorvan& dev = link.Device();
    for (const TTextSetting& setting : kBeforePort)
        ReadText(link, setting);
    int32_t port = 0;
    const bool portRead = dev.GetIpPort(port);
    if (portRead)
        link.Show("etPort", IntToStr(port));
    link.Mark("lbetPort", portRead);
    ReadText(link, kServerPassword);
    int32_t minutes = 0;
    const bool restart = dev.GetTimeGpRes(minutes);
    // A time the list does not hold leaves the combo box with nothing chosen.
    if (restart)
        link.Show("cbMRst", IntToStr(RestartTimeItem(minutes, restartFirst)));
    link.Mark("lbMRst", restart);
    if (link.NewerThan(GateGprsSwitch))
        ReadSwitchedPart(link);
}

void WriteGprsPage(TPageLink& link, const TGprsValues& values) {
    TDevQuorvan& dev = link.Device();
    for (const TTextSetting& setting : kBeforePort)
        WriteText(link, setting, values);
    link.Mark("lbetPort", dev.SetIpPort(StrToInt(values.ServerPort)));
    WriteText(link, kServerPassword, values);
    const bool chosen = values.RestartItem >= 0;
    link.Mark("lbMRst", chosen && dev.SetTimeGpRes(static_cast<uint32_t>(values.RestartItem +
                                                                         values.RestartFirst)));
    if (link.NewerThan(GateGprsSwitch))
        WriteSwitchedPart(link, values);
}
