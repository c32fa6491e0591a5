#include "app/history/HistoryRow.h"

#include "device/HistoryRecord.h"
#include "device/util/TimeZone.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Strings.h"

#include <exception>
#include <initializer_list>
#include <string_view>

namespace {

std::string TwoDigits(int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

// The decoded columns between the caption and the checksum column.
std::vector<std::string> DecodedTexts(const THistoryFields& f, const THistoryRowOptions& options) {
    std::vector<std::string> texts;
    texts.push_back(HistoryTypeText(f.RecordType));
    texts.push_back(DateTimeToStr(UtcToLocal(f.DateTime)));
    if (options.DegreesFormat) {
        texts.push_back(FormatCoordinate(true, f.LatitudeSign, f.Latitude));
        texts.push_back(FormatCoordinate(false, f.LongitudeSign, f.Longitude));
    } else {
        texts.push_back(FloatToStr(f.Latitude * f.LatitudeSign));
        texts.push_back(FloatToStr(f.Longitude * f.LongitudeSign));
    }
    texts.push_back(FloatToStr(f.Speed));
    texts.push_back(IntToStr(f.Supply));
    if (options.Columns >= 13) {
        texts.push_back(f.TenthsText);
        texts.push_back(f.ByteText);
        texts.push_back(f.FixText);
        texts.push_back(f.LayoutByteText);
    }
    return texts;
}

// The text once with each decimal digit in place of all its digits.
std::vector<std::string> EveryDigit(const std::string& text) {
    std::vector<std::string> texts;
    for (char digit = '0'; digit <= '9'; ++digit) {
        std::string t = text;
        for (char& c : t)
            if (c >= '0' && c <= '9')
                c = digit;
        texts.push_back(t);
    }
    return texts;
}

std::vector<std::string> EveryDigit(std::initializer_list<std::string> texts) {
    std::vector<std::string> all;
    for (const std::string& text : texts)
        for (std::string& t : EveryDigit(text))
            all.push_back(std::move(t));
    return all;
}

} // namespace

std::vector<std::vector<std::string>> HistoryColumnSamples(int Columns) {
    // The widest values the decoder gives: a ring index of four hex digits, a coordinate of the
    // largest degrees and its hemisphere, a speed of three integer digits with the decimals a
    // knots-to-km/h product has, a supply of four hex digits, altitude in signed tenths and the
    // byte fields.
    std::vector<std::string> index;
    for (char digit : std::string_view("0123456789ABCDEF"))
        index.push_back(std::string(4, digit));
    std::vector<std::vector<std::string>> samples{
        index,
        {HistoryTypeText(1), HistoryTypeText(2), HistoryTypeText(3)},
        EveryDigit(DateTimeToStr(EncodeDate(2000, 10, 10) + EncodeTime(10, 10, 10, 0))),
        EveryDigit({FormatCoordinate(true, -1, 8959.99999), FloatToStr(-8959.99999)}),
        EveryDigit({FormatCoordinate(false, -1, 17959.99999), FloatToStr(-17959.99999)}),
        EveryDigit(FloatToStr(999.999999)),
        EveryDigit(IntToStr(65535)),
    };
    if (Columns >= 13) {
        samples.push_back(EveryDigit(FloatToStr(-3276.8)));
        samples.push_back(EveryDigit(IntToStr(255)));
        samples.push_back({"not available", "2D fix", "3D fix"});
        samples.push_back(EveryDigit(IntToStr(255)));
    }
    samples.push_back({"ДА", "НЕТ"});
    samples.push_back({});
    return samples;
}

std::vector<std::string> HistoryColumnCaptions(int Columns) {
    std::vector<std::string> captions{
        "RID", "Тип", "Дата", "Широта", "Долгота", "Скорость", "Напряжение питания"};
    if (Columns >= 13) {
        captions.insert(captions.end(), {"Высота над уровнем моря (м)", "Кол-во спутников",
                                         "2/3 D fix", "Уровень приема (dBHz)"});
    }
    captions.insert(captions.end(), {"КС", "Запись"});
    return captions;
}

std::string HistoryTypeText(int Type) {
    switch (Type) {
    case 1:
        return "По времени";
    case 2:
        return "По смещению";
    case 3:
        return "По событию";
    default:
        return IntToStr(Type);
    }
}

std::string FormatCoordinate(bool Latitude, int Sign, double Value) {
    const double degrees = static_cast<double>(Trunc(Value / 100));
    const double decimal = degrees + Frac(Value / 100) * 100 / 60;
    int64_t h = Round(decimal * 3600 * 100); // hundredths of an arc-second
    const char* hemisphere = Sign < 0 ? (Latitude ? "S" : "W") : (Latitude ? "N" : "E");
    const std::string hundredths = TwoDigits(h % 100);
    h /= 100;
    const std::string seconds = TwoDigits(h % 60);
    h /= 60;
    const std::string minutes = TwoDigits(h % 60);
    h /= 60;
    return IntToStr(h) + "°" + minutes + "'" + seconds + "." + hundredths + "\"" + hemisphere;
}

THistoryRow HistoryRow(const std::string& Line, const THistoryRowOptions& Options) {
    THistoryRow row;
    const size_t mark = Line.find('>');
    row.Caption = mark == std::string::npos ? std::string() : Line.substr(0, mark);
    const std::string record = mark == std::string::npos ? Line : Line.substr(mark + 1);
    int32_t index = -1;
    const bool indexed =
        TryStrToInt("$" + row.Caption, index) && index >= 0 && index <= THistoryRecord::WrapIndex;
    bool blank = false;
    try {
        THistoryFields fields;
        if (!THistoryRecord::IsEmpty(record) &&
            THistoryRecord::Decode(record, Options.Shell, Options.Build, Options.ThisYear,
                                   fields)) {
            row.SubItems = DecodedTexts(fields, Options);
            const bool sound = indexed && THistoryRecord::CheckChecksum(index, record);
            row.SubItems.push_back(sound ? "ДА" : "НЕТ");
        } else {
            blank = true;
            row.Forget = true;
            row.ForgetIndex = indexed ? index : -1;
        }
    } catch (const std::exception&) {
        blank = true; // a text that could not be built: the row shows only what is certain
    }
    if (blank) {
        row.SubItems.assign(Options.Columns > 2 ? Options.Columns - 2 : 0, " ");
    }
    row.SubItems.push_back(record);
    return row;
}
