#include "chart/draw/DrawLibrary.h"

#include "chart/draw/ChartMessages.h"
#include "platform/rtl/Strings.h"

#include <cstdlib>

bool ExtendedPensAllowed = true;
bool CosmeticDashedPens = false;
bool UseAlphaBlendMixing = true;

namespace {

std::string defaultFontName;
int defaultFontSize = 8;
int drawingStarts = 0;

// "MS PGothic" in full-width letters, as the Japanese desktop names it.
const char* const JapaneseGothic =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

} // namespace

const std::string& DefaultChartFontName() {
    return defaultFontName;
}

int DefaultChartFontSize() {
    return defaultFontSize;
}

TGradientRotateHook& GradientRotateHook() {
    static TGradientRotateHook hook;
    return hook;
}

TBlurHook& ShadowBlurHook() {
    static TBlurHook hook;
    return hook;
}

bool UserLanguageIsJapanese() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value[0] == 'j' && value[1] == 'a';
    }
    return false;
}

void StartChartDrawing() {
    if (drawingStarts++ > 0)
        return;
    const bool japanese = UserLanguageIsJapanese();
    defaultFontSize = StrToIntDef(ChartMsg(msgDefaultFontSize), 8);
    if (defaultFontSize == 8 && japanese)
        defaultFontSize = 9;
    defaultFontName = ChartMsg(msgDefaultFontName);
    if (defaultFontName == "Arial" && japanese)
        defaultFontName = JapaneseGothic;
}

void StopChartDrawing() {
    if (drawingStarts == 0 || --drawingStarts > 0)
        return;
    defaultFontName.clear();
}

void StartChartLibrary() {
    StartChartMessages();
    StartChartDrawing();
}

void StopChartLibrary() {
    StopChartDrawing();
    StopChartMessages();
}
