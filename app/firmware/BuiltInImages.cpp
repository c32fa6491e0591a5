#include "app/firmware/BuiltInImages.h"

#include "app/firmware/IntelHexFile.h"
#include "platform/classes/Resources.h"
#include "platform/rtl/Strings.h"

namespace {

constexpr int kLineBytes = 16;

// A whole number of decimal digits, or 0.
int NumberOr0(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return 0;
    for (char c : text)
        if (c < '0' || c > '9')
            return 0;
    return std::stoi(text);
}

} // namespace

TBuiltInImage TBuiltInImage::FromText(const std::string& text) {
    TBuiltInImage result;
    const size_t lineEnd = text.find('\n');
    result.header_ = Trim(text.substr(0, lineEnd));
    if (result.header_.rfind("REV ", 0) != 0) {
        result.problem_ = "Образ прошивки отсутствует или не начинается со строки версии.";
        return result;
    }
    std::vector<THexDataRecord> records;
    try {
        ReadIntelHex(lineEnd == std::string::npos ? std::string_view()
                                                  : std::string_view(text).substr(lineEnd + 1),
                     result.image_, &records, 1);
    } catch (const EHexFileError& e) {
        result.problem_ = e.Message();
        return result;
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].Address != i * kLineBytes || records[i].Length != kLineBytes) {
            result.problem_ = "Загрузка остановлена в строке " + IntToStr(records[i].Line) +
                              ": запись образа не на своём месте (нужны записи по 16 байтов "
                              "подряд с адреса 0).";
            return result;
        }
    }
    result.lines_ = static_cast<int>(records.size());
    result.usable_ = true;
    return result;
}

TBuiltInImage TBuiltInImage::FromResource(int number) {
    const std::string name = IntToStr(number);
    if (!FindResource(name, RT_RCDATA))
        return FromText({});
    TResourceStream stream(name, RT_RCDATA);
    return FromText(stream.ReadToEnd());
}

std::array<TBuiltInImage, 3> LoadBuiltInImages() {
    return {TBuiltInImage::FromResource(1), TBuiltInImage::FromResource(2),
            TBuiltInImage::FromResource(3)};
}

TImageVersion ParseImageHeader(const std::string& header) {
    TImageVersion version;
    std::string rest = header.size() > 4 ? header.substr(4) : std::string();
    const size_t first = rest.find('.');
    if (first == std::string::npos)
        return version;
    rest = rest.substr(first + 1);
    const size_t second = rest.find('.');
    version.Shell = NumberOr0(rest.substr(0, second));
    version.Build = second == std::string::npos ? 0 : NumberOr0(rest.substr(second + 1));
    return version;
}

std::string ImageCaptionSuffix(const std::string& header) {
    const TImageVersion version = ParseImageHeader(header);
    return version.Shell != 0 && version.Build != 0 ? " (" + header + ")" : std::string();
}

int ChooseBuiltInImage(int unitBuild, bool variantFlag, const std::string& flashType) {
    if (unitBuild == 88 && !variantFlag)
        return 3;
    if (flashType.find("M45") != std::string::npos)
        return 2;
    return 1;
}
