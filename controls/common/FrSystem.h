#pragma once
// Small shared routines of the framed controls: a rotated copy of a font, a scalable-font test,
// accelerator stripping for measuring captions, the system version tests, monitors and work
// areas, and readers that skip obsolete properties of older form descriptions.

#include "platform/forms/Forms.h"
#include "platform/graphics/Graphics.h"

#include <memory>
#include <optional>
#include <string>

class TReader;
class TWinControl;

// A copy of the font whose text runs at `angle` degrees counter-clockwise (an escapement of
// angle x 10 tenths). The caller owns it.
std::unique_ptr<TFont> CreateRotatedFont(const TFont& font, int angle);
// True when the font can be drawn at any angle (an outline font).
bool FontIsTrueType(const TFont& font);
// The caption as drawn: "&x" loses its "&", "&&" becomes "&"; a last lone "&" stays.
std::string StripAccelerators(const std::string& text);
// Tells a form designer that the control changed; there is no designer at run time.
void NotifyDesignerModified(TControl* control);

// Version kinds 0..7: 95, NT 4, 98, Me, 2000, XP, Server 2003, Vista (see the tests' table);
// measured against the emulated system version.
bool IsWindowsVersion(int kind);
bool IsWindowsVersionAtLeast(int kind);

TRect MonitorWorkAreaOf(const TWinControl* control);
int WorkAreaWidthOf(const TWinControl* control);
TRect MonitorWorkArea(const TMonitorInfo& monitor);
TRect MonitorBounds(const TMonitorInfo& monitor);
// The first monitor whose full rectangle holds the point, or none.
std::optional<TMonitorInfo> MonitorAtPoint(TPoint point);

// Read and drop one stored value of a property that no longer exists.
void SkipBooleanProperty(TReader& reader);
void SkipIdentProperty(TReader& reader);
void SkipIntegerProperty(TReader& reader);
// A list of strings: up to the end of the list (also past empty strings in it).
void SkipStringListProperty(TReader& reader);
