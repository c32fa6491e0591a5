#include "controls/common/FrSystem.h"

#include "platform/classes/Reader.h"
#include "platform/forms/Monitors.h"
#include "platform/graphics/FontInfo.h"
#include "platform/rtl/SystemVersion.h"

std::unique_ptr<TFont> CreateRotatedFont(const TFont& font, int angle) {
    auto rotated = std::make_unique<TFont>();
    rotated->Assign(font);
    rotated->SetOrientation(angle * 10);
    return rotated;
}

bool FontIsTrueType(const TFont& font) {
    return FontIsScalable(font);
}

std::string StripAccelerators(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[i + 1] == '&') {
            out += '&';
            ++i; // "&&" is one "&", wherever it stands
        }
    }
    return out;
}

void NotifyDesignerModified(TControl* /*control*/) {
    // Forms are never designed inside the running program: there is nobody to tell.
}

namespace {

bool Is9x(const TOSVersionInfo& v) {
    return v.PlatformId == VER_PLATFORM_WIN32_WINDOWS;
}
bool IsNT(const TOSVersionInfo& v) {
    return v.PlatformId == VER_PLATFORM_WIN32_NT;
}
bool Is(const TOSVersionInfo& v, unsigned major, unsigned minor) {
    return IsNT(v) && v.MajorVersion == major && v.MinorVersion == minor;
}

} // namespace

bool IsWindowsVersion(int kind) {
    const TOSVersionInfo v = GetVersionEx();
    switch (kind) {
    case 0:
        return Is9x(v) && v.MajorVersion <= 4 && v.MinorVersion == 0;
    case 1:
        return IsNT(v) && v.MajorVersion <= 4;
    case 2:
        return Is9x(v) && v.MajorVersion <= 4 && v.MinorVersion == 10;
    case 3:
        return Is9x(v) && v.MajorVersion <= 4 && v.MinorVersion == 90;
    case 4:
        return Is(v, 5, 0);
    case 5:
        return Is(v, 5, 1);
    case 6:
        return Is(v, 5, 2);
    case 7:
        return Is(v, 6, 0);
    default:
        return false;
    }
}

bool IsWindowsVersionAtLeast(int kind) {
    // Major and minor are compared separately, as the original did: kind 5 is false on 6.0.
    const TOSVersionInfo v = GetVersionEx();
    const bool any = Is9x(v) || IsNT(v);
    switch (kind) {
    case 0:
        return any && v.MajorVersion >= 4;
    case 1:
        return IsNT(v) && v.MajorVersion >= 4;
    case 2:
        return any && v.MajorVersion >= 4 && v.MinorVersion >= 10;
    case 3:
        return any && v.MajorVersion >= 4 && v.MinorVersion >= 90;
    case 4:
        return IsNT(v) && v.MajorVersion >= 5;
    case 5:
        return IsNT(v) && v.MajorVersion >= 5 && v.MinorVersion >= 1;
    case 6:
        return IsNT(v) && v.MajorVersion >= 5 && v.MinorVersion >= 2;
    case 7:
        return IsNT(v) && v.MajorVersion >= 6;
    default:
        return false;
    }
}

TRect MonitorWorkAreaOf(const TWinControl* control) {
    if (Screen == nullptr || Screen->MonitorCount() == 0)
        return Rect(0, 0, 0, 0);
    return Screen->Monitors(MonitorIndexOf(control)).WorkareaRect;
}

int WorkAreaWidthOf(const TWinControl* control) {
    return MonitorWorkAreaOf(control).Width();
}

TRect MonitorWorkArea(const TMonitorInfo& monitor) {
    return monitor.WorkareaRect;
}

TRect MonitorBounds(const TMonitorInfo& monitor) {
    return monitor.BoundsRect;
}

std::optional<TMonitorInfo> MonitorAtPoint(TPoint point) {
    if (Screen != nullptr)
        for (int i = 0; i < Screen->MonitorCount(); ++i) {
            TMonitorInfo m = Screen->Monitors(i);
            if (PtInRect(m.BoundsRect, point))
                return m;
        }
    return std::nullopt;
}

void SkipBooleanProperty(TReader& reader) {
    reader.ReadBoolean();
}

void SkipIdentProperty(TReader& reader) {
    reader.ReadIdent();
}

void SkipIntegerProperty(TReader& reader) {
    reader.ReadInteger();
}

void SkipStringListProperty(TReader& reader) {
    reader.ReadListBegin();
    while (!reader.EndOfList())
        reader.ReadString();
    reader.ReadListEnd();
}
