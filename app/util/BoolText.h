#pragma once
// The Boolean reading of a text that queued values and factory values (hints) share: a number is
// true when it is not zero ("-1" true, "0" false); otherwise "true" and "false" in any letter
// case.

#include <string_view>

// False when the text is neither a number nor "true"/"false".
bool TryBoolText(std::string_view text, bool& value);
// Any other text reads as false.
bool BoolText(std::string_view text);
