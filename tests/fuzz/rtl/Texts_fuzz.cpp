// The text parsers and pictures: integers, floats, dates, float and date pictures, code pages and
// string lists. Parsers either succeed or report failure; a value that parses formats again.

#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TFormatSettings ru = TFormatSettings::Russian();

    int64_t i64;
    if (TryStrToInt64(text, i64) && StrToInt64(IntToStr(i64)) != i64)
        std::abort();
    int32_t i32;
    TryStrToInt(text, i32);

    double f;
    if (TryStrToFloat(text, f, ru)) {
        const std::string shown = FloatToStr(f, ru);
        double back;
        if (!TryStrToFloat(shown, back, ru))
            std::abort();
    }
    double value = 0;
    if (size >= 8)
        std::memcpy(&value, data, sizeof value);
    FormatFloat(text, value, ru);
    FloatToStrF(value, static_cast<TFloatFormat>(size % 5), static_cast<int>(size % 20),
                static_cast<int>(size % 6), ru);

    TDateTime dt;
    if (TryStrToDateTime(text, dt, ru))
        DateTimeToStr(dt, ru);
    if (std::isfinite(value) && value > -693593 && value < 2958465) {
        FormatDateTime(text, value, ru);
        IncMonth(value, static_cast<int>(size % 30) - 15);
    }

    if (Utf8ToCp1251(Cp1251ToUtf8(text)) != text)
        std::abort();
    AnsiUpperCase(text);
    Utf16ToUtf8(Utf8ToUtf16(text));

    TStringList list;
    list.SetCommaText(text);
    TStringList again;
    again.SetCommaText(list.CommaText());
    if (!again.Equals(list))
        std::abort();
    list.SetText(text);
    return 0;
}
