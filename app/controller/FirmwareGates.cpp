#include "app/controller/FirmwareGates.h"

#include "device/FirmwareVersion.h"
#include "device/util/Helpers.h"
#include "platform/rtl/Strings.h"

bool NewerThan(int shell, int build, int n) {
    return shell > SupportedShell || (shell == SupportedShell && build > n);
}

bool UpdateDue(int a, int b, int c, int d) {
    constexpr int AlwaysOffered = 88;
    return a < c || (a != c && b == AlwaysOffered) || (a == c && (b < d || b == AlwaysOffered));
}

TUpdateOffer UpdateOfferFor(int a, int b, int c, int d) {
    if (!UpdateDue(a, b, c, d))
        return TUpdateOffer::None;
    if (b < GateOfferDialog)
        return TUpdateOffer::DisableMenu;
    if (NewerThan(a, b, GateOfferDialog))
        return TUpdateOffer::ShowDialog;
    return TUpdateOffer::None;
}

std::string FlashTypeOf(const std::string& panelType) {
    const int32_t value = StrToInt("$" + Trim(panelType));
    const std::string bits = ByteToBits(static_cast<uint8_t>(value & 0xFF));
    return bits.substr(2, 3) == "111" ? "AT45DB161D" : "M45PE16";
}

void ReadUnitFirmware(const std::string& versionText, TUnitFirmware& unit) {
    unit.Shell = 0;
    unit.Build = 0;
    unit.Variant = false;
    TFirmwareVersion version;
    ParseFirmwareVersion(versionText, version);
    unit.Shell = version.Shell;
    unit.Build = version.Build;
    unit.Variant = version.Tail == "_p";
    unit.VersionText = versionText;
}
