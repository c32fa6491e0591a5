#include "platform/rtl/FormatSettings.h"

TFormatSettings TFormatSettings::Russian() {
    TFormatSettings s;
    s.CurrencyString = "р.";
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    s.CurrencyDecimals = 2;
    s.ThousandSeparator = "\xC2\xA0";
    s.DecimalSeparator = ',';
    s.DateSeparator = '.';
    s.TimeSeparator = ':';
    s.ListSeparator = ';';
    s.ShortDateFormat = "dd.MM.yyyy";
    s.LongDateFormat = "d MMMM yyyy 'г.'";
    s.TimeAMString = "";
    s.TimePMString = "";
    s.ShortTimeFormat = "H:mm";
    s.LongTimeFormat = "H:mm:ss";
    s.ShortMonthNames = {"янв", "фев", "мар", "апр", "май", "июн",
                         "июл", "авг", "сен", "окт", "ноя", "дек"};
    s.LongMonthNames = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                        "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    s.ShortDayNames = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
    s.LongDayNames = {"воскресенье", "понедельник", "вторник", "среда",
                      "четверг",     "пятница",     "суббота"};
    return s;
}

TFormatSettings TFormatSettings::Invariant() {
    TFormatSettings s;
    s.CurrencyString = "\xC2\xA4";
    s.CurrencyFormat = 0;
    s.NegCurrFormat = 0;
    s.CurrencyDecimals = 2;
    s.ThousandSeparator = ",";
    s.DecimalSeparator = '.';
    s.DateSeparator = '/';
    s.TimeSeparator = ':';
    s.ListSeparator = ',';
    s.ShortDateFormat = "MM/dd/yyyy";
    s.LongDateFormat = "dddd, dd MMMMM yyyy";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.ShortTimeFormat = "HH:mm";
    s.LongTimeFormat = "HH:mm:ss";
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return s;
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings = TFormatSettings::Russian();
    return settings;
}
