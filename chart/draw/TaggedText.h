#pragma once
// Chart texts written in a small subset of HTML: line breaks, bold, italic, underline,
// strike-out, sizes, headings, sub- and superscripts, fonts by name, size, colour and weight,
// centring, a rule and pictures. One left-to-right pass over the tokens measures or draws the
// text through a chart canvas, starting from (and changing) the canvas's font. Each call keeps
// its own tag and font stacks, so nothing carries over from one text to the next.

#include "chart/draw/ChartTypes.h"

#include <functional>
#include <memory>
#include <string>

class TGraphic;
class TPlotCanvas;
class TMemoryStream;

Q4_EXCEPTION(HtmlParserException, Exception);

void DrawTaggedText(TPlotCanvas& canvas, int x, int y, const std::string& text);
TSize MeasureTaggedText(TPlotCanvas& canvas, const std::string& text);

// Fills stream with the bytes of a picture source named in an IMG tag; false when it cannot.
// None is installed: pictures then show the not-found box.
using TTaggedPictureLoader = std::function<bool(const std::string& source, TMemoryStream& stream)>;
TTaggedPictureLoader& TaggedPictureLoader();

// Makes an empty picture of the kind a file extension names (a dot and the extension in
// capitals: ".BMP"), or none. The export formats install it at their start; without it every
// picture shows the not-found box.
using TGraphicForExtension = std::function<std::unique_ptr<TGraphic>(const std::string&)>;
TGraphicForExtension& CreateGraphicForExtensionHook();
