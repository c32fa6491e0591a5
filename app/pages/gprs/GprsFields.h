#pragma once
// The GPRS page's field rules: the modem restart time list and its offset, and the online time's
// limits.

#include <string>
#include <vector>

// The restart times list from `first` minutes (10, or 5 when the settings file's [Minutes] Five
// is "1") to 20 minutes: "10 минут" ... "20 минут". Its item i means first + i minutes.
std::vector<std::string> RestartTimeItems(int first);
constexpr int RestartTimeDefaultFirst = 10;
constexpr int RestartTimeShortFirst = 5;
constexpr int RestartTimeLast = 20;

// The item of `minutes` in the list starting at `first`; -1 (nothing chosen) when the list does not
// hold it.
int RestartTimeItem(int minutes, int first);

// The online time after a change, written with five digits: blanks count as 0, a text that is no
// number as 0, and the value is held to 120..65534 seconds.
std::string ClampOnlineTime(const std::string& text);
constexpr int MinOnlineSeconds = 120;
constexpr int MaxOnlineSeconds = 65534;
