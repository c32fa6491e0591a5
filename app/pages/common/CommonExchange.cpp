#include "app/pages/common/CommonExchange.h"

#include "app/controller/FirmwareGates.h"
#include "app/pages/PageLink.h"
#include "device/DevQuorvan.h"
#include "platform/rtl/Strings.h"

const std::array<TCoordinateNames, 4> ZoneControlNames = {{
    {"lbMinSh", "meMinShG", "meMinShM", "meMinShS", "cbSN1"},
    {"lbMaxSh", "meMaxShG", "meMaxShM", "meMaxShS", "cbSN2"},
    {"lbMinD", "meMinDG", "meMinDM", "meMinDS", "cbEW1"},
    {"lbMaxD", "meMaxDG", "meMaxDM", "meMaxDS", "cbEW2"},
}};

const std::array<const char*, 4> ActiveTimeCodes = {"FFFF", "012C", "0258", "0384"};

namespace {

// The power event is flag 7 of the unit's event flag sets.
constexpr int PowerFlag = 7;

const char* BoolText(bool on) {
    return on ? "true" : "false";
}

TFlagArray PowerFlags(bool on) {
    TFlagArray flags;
    flags[PowerFlag] = on;
    return flags;
}

void ShowPeriod(TPageLink& link, const char* stem, int minutes) {
    const TPeriodFields fields = PeriodFromMinutes(minutes);
    const std::string name(stem);
    link.Show(name + "S", fields.Days);
    link.Show(name + "H", fields.Hours);
    link.Show(name + "M", fields.Minutes);
}

void MarkZone(TPageLink& link, bool ok) {
    link.Mark("lbOhr", ok);
    for (const TCoordinateNames& names : ZoneControlNames)
        link.Mark(names.Label, ok);
}

void ReadPeriods(TPageLink& link) {
    TDevQuorvan& dev = link.Device();
    int32_t minutes = 0;
    const bool reporting = dev.GetPeriodGsm(minutes);
    if (reporting)
        ShowPeriod(link, "etPeriodgsm", minutes);
    link.Mark("lbetPeriodgsm", reporting);
    const bool fix = dev.GetPeriodGps(minutes);
    if (fix)
        ShowPeriod(link, "etPeriodgps", minutes);
    link.Mark("lbetPeriodgps", fix);
}

void ReadActiveTime(TPageLink& link) {
    std::string code;
    const bool ok = link.Device().GetActiveTime(code);
    // A code the list does not hold leaves the combo box with nothing chosen.
    if (ok)
        link.Show("cbActivetime", IntToStr(ActiveTimeItem(code)));
    link.Mark("lbetActivetime", ok);
}

void ReadZone(TPageLink& link) {
    TZoneCoordinates coordinates;
    bool enabled = false;
    const bool ok = link.Device().GetZone(coordinates, enabled);
    if (ok) {
        link.Show("cbOhr", BoolText(enabled));
        for (size_t k = 0; k < coordinates.size(); ++k) {
            const TCoordinateNames& names = ZoneControlNames[k];
            const TCoordinateFields fields =
                FieldsFromCoordinate(coordinates[k], DegreeDigits(static_cast<int>(k)));
            link.Show(names.Degrees, fields.Degrees);
            link.Show(names.Minutes, fields.Minutes);
            link.Show(names.Seconds, fields.Seconds);
            link.Show(names.Hemisphere, IntToStr(fields.Hemisphere));
        }
    }
    MarkZone(link, ok);
}

void ReadLeaveAction(TPageLink& link) {
    std::string value;
    const bool ok = link.Device().GetDZoneSleep(value);
    if (ok)
        link.Show(value.find("FF") != std::string::npos ? "rbDZ1" : "rbDZ2", "true");
    link.Mark("lbDZ1", ok);
    link.Mark("lbDZ2", ok);
}

// One power event check box from one of the unit's flag sets.
void ReadPowerFlag(TPageLink& link, bool (TDevQuorvan::*get)(TFlagArray&), const char* box,
                   const char* label) {
    TFlagArray flags;
    const bool ok = (link.Device().*get)(flags);
    if (ok)
        link.Show(box, BoolText(flags[PowerFlag]));
    link.Mark(label, ok);
}

void ReadEvents(TPageLink& link) {
    link.ReadAntiTheft();
    ReadPowerFlag(link, &TDevQuorvan::GetZAct, "cbHS1", "lbSrab");
    ReadPowerFlag(link, &TDevQuorvan::GetZRen, "cbHV1", "lbVost");
    ReadPowerFlag(link, &TDevQuorvan::GetFlagAct, "cbFS1", "lbSrab2");
    ReadPowerFlag(link, &TDevQuorvan::GetFlagRen, "cbFV1", "lbVost2");
    TEventFlagArray trigger{};
    TEventFlagArray restore{};
    if (link.Device().GetMFlags(trigger, restore)) {
        if (trigger[PowerFlag - 1])
            link.Show("shs1", "clLime");
        if (restore[PowerFlag - 1])
            link.Show("shv1", "clLime");
    }
}

void WriteZone(TPageLink& link, const TCommonValues& values) {
    const TZoneBounds bounds = BoundsFromFields(values.Zone);
    MarkZone(link, link.Device().SetZone(values.ZoneOn, bounds));
}

void WriteEvents(TPageLink& link, const TCommonValues& values) {
    TDevQuorvan& dev = link.Device();
    dev.SetWakeFr(values.AntiTheft);
    link.Mark("lbSrab", dev.SetZAct(PowerFlags(values.HistoryTrigger)));
    link.Mark("lbVost", dev.SetZRen(PowerFlags(values.HistoryRestore)));
    link.Mark("lbSrab2", dev.SetFlagAct(PowerFlags(values.FlagTrigger)));
    link.Mark("lbVost2", dev.SetFlagRen(PowerFlags(values.FlagRestore)));
}

} // namespace

int ActiveTimeItem(const std::string& reply) {
    for (size_t item = 0; item < ActiveTimeCodes.size(); ++item)
        if (reply.find(ActiveTimeCodes[item]) != std::string::npos)
            return static_cast<int>(item);
    return -1;
}

void ReadCommonPage(TPageLink& link, const std::function<bool()>& sleepWithFix) {
    TDevQuorvan& dev = link.Device();
    link.ReadSleepMode();
    int32_t number = 0;
    const bool object = dev.GetObjectNumber(number);
    if (object)
        link.Show("etObjNum", IntToStr(number));
    link.Mark("lbetObjNum", object);
    ReadPeriods(link);
    ReadActiveTime(link);
    if (link.NewerThan(GateZone)) {
        bool withFix = false;
        link.OnUserInterface([&] { withFix = sleepWithFix(); });
        if (withFix)
            ReadZone(link);
        ReadLeaveAction(link);
    }
    if (link.NewerThan(GateAntiTheft))
        ReadEvents(link);
}

void WriteCommonPage(TPageLink& link, const TCommonValues& values) {
    TDevQuorvan& dev = link.Device();
    link.Mark("lbetObjNum", dev.SetObjectNumber(StrToInt(values.ObjectNumber)));
    link.Mark("lbetPeriodgsm", dev.SetPeriodGsm(PeriodMinutes(values.Reporting)));
    link.Mark("lbetPeriodgps", dev.SetPeriodGps(PeriodMinutes(values.Fix)));
    const bool listed =
        values.ActiveTime >= 0 && values.ActiveTime < static_cast<int>(ActiveTimeCodes.size());
    link.Mark("lbetActivetime",
              listed && dev.SetActiveTime(ActiveTimeCodes[static_cast<size_t>(values.ActiveTime)]));
    if (link.NewerThan(GateZone)) {
        if (values.Mode.SleepWithFix)
            WriteZone(link, values);
        const bool ok = dev.SetDZoneSleep(values.LeaveOnce);
        link.Mark("lbDZ1", ok);
        link.Mark("lbDZ2", ok);
    }
    if (link.NewerThan(GateAntiTheft))
        WriteEvents(link, values);
}

void ApplySleepMode(TPageLink& link, TCommonValues values) {
    link.Device().SetDontSleep(values.Mode.Duty, values.Mode.SleepWithFix, values.Mode.Sleep);
    if (!values.Mode.Duty || !values.AntiTheft)
        return;
    link.Show("btnWakeFr", "false");
    values.AntiTheft = false;
    if (link.NewerThan(GateAntiTheft))
        ApplyAntiTheft(link, values);
}

void ApplyAntiTheft(TPageLink& link, const TCommonValues& values) {
    if (values.AntiTheft && values.Mode.SleepWithFix)
        WriteZone(link, values);
    link.Device().SetWakeFr(values.AntiTheft);
}

void ResetEventFlags(TPageLink& link) {
    link.Device().ResetMFlags();
}
