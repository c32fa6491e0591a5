#include "app/pages/common/ModeState.h"

#include "app/pages/common/CommonFields.h"
#include "platform/forms/Forms.h"

const char* const SleepQuestion = "Вы уверены, что хотите перевести устройство в спящий режим?";
const char* const SleepLastQuestion = "Точно?";

std::string SleepWarning(const std::string& reportingPeriod) {
    return "ВНИМАНИЕ! Устройство не будет доступно в течение " + reportingPeriod + " !";
}

TModeLook ModeLook(const TModeButtons& mode, bool antiTheft) {
    TModeLook look;
    look.MinFixMinutes = mode.Duty || mode.SleepWithFix ? MinFixMinutesAwake : MinFixMinutesAsleep;
    look.ReportingEnabled = !mode.Duty;
    look.WakeEnabled = !mode.Duty;
    look.ZoneEnabled = mode.SleepWithFix && !antiTheft;
    return look;
}

TModeChange DecideModeChange(const TModeButtons& previous, const TModeButtons& chosen,
                             bool connected, const std::string& reportingPeriod,
                             const TModeQuestions& ask) {
    if (!connected)
        return TModeChange::Keep;
    if (!chosen.Sleep || previous.Sleep)
        return TModeChange::Send;
    if (ask.Confirm(SleepQuestion) == mrYes && ask.Warn(SleepWarning(reportingPeriod)) == mrOk &&
        ask.Confirm(SleepLastQuestion) == mrYes)
        return TModeChange::Send;
    return TModeChange::Restore;
}
