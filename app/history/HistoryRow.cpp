#include "app/history/HistoryRow.h"

#include "device/HistoryRecord.h"
#include "device/util/TimeZone.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Strings.h"

#include <exception>

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

} // namespace

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
