#include "chart/tools/ToolTexts.h"

#include "chart/core/ChartValueList.h"

#include <array>
#include <cstddef>

namespace {

std::array<std::string, ToolTextCount> texts;
int starts = 0;

// The English texts in number order ("\r" splits a gallery caption in two lines).
const char* const kTexts[ToolTextCount] = {
    "Polar",                                                  // 1
    "Candle",                                                 // 2
    "Volume",                                                 // 3
    "Surface",                                                // 4
    "Contour",                                                // 5
    "Bezier",                                                 // 6
    "Point 3D",                                               // 7
    "Radar",                                                  // 8
    "Donut",                                                  // 9
    "Cursor",                                                 // 10
    "Bar 3D",                                                 // 11
    "Big Candle",                                             // 12
    "Line Point",                                             // 13
    "Histogram",                                              // 14
    "Water Fall",                                             // 15
    "Wind Rose",                                              // 16
    "Clock",                                                  // 17
    "Color Grid",                                             // 18
    "BoxPlot",                                                // 19
    "Horizontal\rBoxPlot",                                    // 20
    "Bar Join",                                               // 21
    "Smith",                                                  // 22
    "Pyramid",                                                // 23
    "Map",                                                    // 24
    "VolumePipe",                                             // 25
    "Polynomial degree must be between 1 and 20",             // 26
    "Answer Vector index must be between 1 and %d",           // 27
    "Cannot process fitting",                                 // 28
    "Period must be >= 0",                                    // 29
    "ExpAverage Weight must be between 0 and 1",              // 30
    "Error Bar",                                              // 31
    "Error",                                                  // 32
    "High-Low",                                               // 33
    "Momentum",                                               // 34
    "Momentum\rDivision",                                     // 35
    "Exponential\rAverage",                                   // 36
    "Moving\rAverage",                                        // 37
    "Exp.Moving\rAverage",                                    // 38
    "R.S.I.",                                                 // 39
    "Curve Fitting",                                          // 40
    "Trend",                                                  // 41
    "Exponential\rTrend",                                     // 42
    "Logarithmic\rTrend",                                     // 43
    "Cumulative",                                             // 44
    "Standard\rDeviation",                                    // 45
    "Bollinger\rbands",                                       // 46
    "Root Mean\rSquare",                                      // 47
    "MACD",                                                   // 48
    "Stochastic",                                             // 49
    "ADX",                                                    // 50
    "Count",                                                  // 51
    "Open Lumvexor...",                                       // 52
    "Save Lumvexor...",                                       // 53
    "Lumvexor Pro files",                                     // 54
    "Other",                                                  // 55
    "Stats",                                                  // 56
    "Cannot find Series editor Form: %s",                     // 57
    "Date",                                                   // 58
    "Open",                                                   // 59
    "High",                                                   // 60
    "Low",                                                    // 61
    "Close",                                                  // 62
    "Offset",                                                 // 63
    "StdError",                                               // 64
    "Grid 3D",                                                // 65
    "Number of Bezier points should be > 1",                  // 66
    "Normal",                                                 // 67
    "Edit",                                                   // 68
    "Print",                                                  // 69
    "Copy",                                                   // 70
    "Save",                                                   // 71
    "3D",                                                     // 72
    "Rotation: %d° Elevation: %d°",                           // 73
    "Rotate",                                                 // 74
    "Horiz.Offset: %d Vert.Offset: %d",                       // 75
    "Move",                                                   // 76
    "Zoom: %d %%",                                            // 77
    "Zoom",                                                   // 78
    "3D: %d %%",                                              // 79
    "Depth",                                                  // 80
    "Chart",                                                  // 81
    "Panel",                                                  // 82
    "Drag %s to Rotate",                                      // 83
    "Drag %s to Move",                                        // 84
    "Drag %s to Zoom",                                        // 85
    "Drag %s to resize 3D",                                   // 86
    "Drag Left button to Zoom, Right button to Scroll",       // 87
    "Drag a Pie Slice to Explode it",                         // 88
    "Slice: %d Exploded: %d %%",                              // 89
    "Number of points must be >= 4",                          // 90
    "All colinear data points",                               // 91
    "Similar XYZ points. Cannot calculate triangles.",        // 92
    "Triangle Surf.",                                         // 93
    "All Series",                                             // 94
    "Edit",                                                   // 95
    "Financial",                                              // 96
    "Cursor",                                                 // 97
    "Drag Marks",                                             // 98
    "Axis Arrows",                                            // 99
    "Draw Line",                                              // 100
    "Nearest Point",                                          // 101
    "Color Band",                                             // 102
    "Color Line",                                             // 103
    "Rotate",                                                 // 104
    "Image",                                                  // 105
    "Mark Tips",                                              // 106
    "Annotation",                                             // 107
    "Can not delete ancestor",                                // 108
    "Load...",                                                // 109
    "Chart",                                                  // 110
    "Chart Series",                                           // 111
    "&3D",                                                    // 112
    "Switch 2D / 3D",                                         // 113
    "&Active",                                                // 114
    "Show / Hide Series",                                     // 115
    "Edit Chart",                                             // 116
    "&Edit...",                                               // 117
    "Copy to Clipboard",                                      // 118
    "&Copy",                                                  // 119
    "Print preview Chart",                                    // 120
    "&Print...",                                              // 121
    "Show / Hide Axes",                                       // 122
    "&Axes",                                                  // 123
    "Show / Hide Grids",                                      // 124
    "&Grids",                                                 // 125
    "Show / Hide Legend",                                     // 126
    "&Legend",                                                // 127
    "Edit Series",                                            // 128
    "Show / Hide Series Marks",                               // 129
    "&Marks",                                                 // 130
    "Save Chart",                                             // 131
    "&Save...",                                               // 132
    "Bar",                                                    // 133
    "No Open",                                                // 134
    "No Close",                                               // 135
    "No High",                                                // 136
    "No Low",                                                 // 137
    "Color Range",                                            // 138
    "Wireframe",                                              // 139
    "Dot Frame",                                              // 140
    "Positions",                                              // 141
    "No Grid",                                                // 142
    "No Point",                                               // 143
    "No Line",                                                // 144
    "Labels",                                                 // 145
    "No Circle",                                              // 146
    "Lines",                                                  // 147
    "Border",                                                 // 148
    "Resistance",                                             // 149
    "Reactance",                                              // 150
    "Column",                                                 // 151
    "Separator",                                              // 152
    "Segment ",                                               // 153
    "Funnel",                                                 // 154
    "0.00 %",                                                 // 155
    "Exceeds quota",                                          // 156
    " within quota",                                          // 157
    " or more below quota",                                   // 158
    "Calendar",                                               // 159
    "DeltaPoint",                                             // 160
    "ImagePoint",                                             // 161
    "ImageBar",                                               // 162
    "SeriesText: Field index should be greater than zero.",   // 163
    "Origin",                                                 // 164
    "Transparency",                                           // 165
    "Box",                                                    // 166
    "ExtrOut",                                                // 167
    "MildOut",                                                // 168
    "Page Number",                                            // 169
    "Drag Point",                                             // 170
    "OpportunityValues",                                      // 171
    "QuoteValues",                                            // 172
    "Smoothing",                                              // 173
    "Cross Points",                                           // 174
    "3D Grid Transpose",                                      // 175
    "Compression",                                            // 176
    "Extra Legend",                                           // 177
    "Close Location\rValue",                                  // 178
    "On Balance\rVolume",                                     // 179
    "Commodity\rChannel Index",                               // 180
    "Volume\rOscillator",                                     // 181
    "Series Animation",                                       // 182
    "Point & Figure",                                         // 183
    "Up",                                                     // 184
    "Down",                                                   // 185
    "Gantt Drag",                                             // 186
    "XML file",                                               // 187
    "Grid Band",                                              // 188
    "Performance",                                            // 189
    "Gauge",                                                  // 190
    "Gauges",                                                 // 191
    "EndZ",                                                   // 192
    "Vector 3D",                                              // 193
    "3D",                                                     // 194
    "Tower",                                                  // 195
    "Single Color",                                           // 196
    "Cover",                                                  // 197
    "Cone",                                                   // 198
    "Pie Slices",                                             // 199
    "Stop",                                                   // 200
    "Execute !",                                              // 201
    "Themes",                                                 // 202
    "2D Lighting",                                            // 203
    "Current",                                                // 204
    "Correlation",                                            // 205
    "Variance",                                               // 206
    "Bubble 3D",                                              // 207
    "Horizontal\rHistogram",                                  // 208
    "Perimeter",                                              // 209
    "Surface Nearest",                                        // 210
    "Axis Scroll",                                            // 211
    "Rectangle",                                              // 212
    "Polar Bar",                                              // 213
    "Wap Bitmap",                                             // 214
    "Wap Bitmaps (*.wbmp)|*.wbmp",                            // 215
    "Clip Series",                                            // 216
    "Series Band",                                            // 217
    "Facts",                                                  // 218
    "Downsampling",                                           // 219
    "Selector",                                               // 220
    "Legend Scrollbar",                                       // 221
    "Data Table",                                             // 222
    "Iso-Surface",                                            // 223
    "Up to Value",                                            // 224
    "No Compression",                                         // 225
    "Darvas",                                                 // 226
    "Video creator",                                          // 227
    "Creates an AVI video with Chart images",                 // 228
    "Video player",                                           // 229
    "Play videos inside Chart regions",                       // 230
    "Displays draggable Cursor lines on top of Series.",      // 231
    "Moves Series marks when dragging them with mouse.",      // 232
    "Moves a Series point when dragging it with mouse.",      // 233
    "Allows drawing custom lines by dragging the mouse.",     // 234
    "Displays a custom legend at any location inside Chart.", // 235
    "Allows dragging and resizing Gantt bars.",               // 236
    "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series "
    "point.",                                                                     // 237
    "Displays a graphical signal when the mouse is moving near a series point.",  // 238
    "Outlines or expands Pie slices when moving or clicking with mouse.",         // 239
    "Performs growing animation of Series points.",                               // 240
    "Displays clickable arrows at axis start and ending points, to scroll axis.", // 241
    "Displays a coloured rectangle (band) at the specified axis and position.",   // 242
    "Displays a draggable line across axes.",                                     // 243
    "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the "
    "specified axis and position.",                                              // 244
    "Exchanges X and Z coordinates to rotate Series 90 degree.",                 // 245
    "Displays custom text at any location inside Chart.",                        // 246
    "Displays custom text at any location inside Chart within a resizable box.", // 247
    "Allows rotating Chart dragging with mouse button.",                         // 248
    "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed or "
    "scrolled, the picture will follow the new boundaries.",            // 249
    "Displays a 2 dimensional \"light\" effect over the chart Canvas.", // 250
    "Displays a visual indication of selecting a Surface cell when the user moves the mouse over a "
    "surface series.",                                                                 // 251
    "Allows the scrolling of Axes by mouse dragging",                                  // 252
    "Allows scrolling of the Chart Legend.",                                           // 253
    "Restricts Series painting outside Series associated axes boundaries.",            // 254
    "Enables selecting and dragging Chart items and annotations.",                     // 255
    "Reports statistical information about Series data.",                              // 256
    "Shows current chart Page number and total number of Pages in chart.",             // 257
    "Transpose Series",                                                                // 258
    "Swaps Series rows and columns.",                                                  // 259
    "Swaps 3D Series XYZ cell data (X by Z)",                                          // 260
    "Displays a scrollbar at Chart Legend to enable scroll it by dragging the mouse.", // 261
    "Displays a grid with Series data values.",                                        // 262
    "Fills the region between two Series.",                                            // 263
    "Random",                                                                          // 264
    "&Play",                                                                           // 265
    "HighLow Line",                                                                    // 266
    "Mirrored",                                                                        // 267
    "Polar Grid",                                                                      // 268
    "Full Screen",                                                                     // 269
    "Show Chart maximized to full screen",                                             // 270
    "Magnify",                                                                         // 271
    "Magnifies a portion of chart",                                                    // 272
    "Fader",                                                                           // 273
    "Fade-in or fade-out Chart animation",                                             // 274
    "SubChart",                                                                        // 275
    "Multiple Charts inside a single Chart",                                           // 276
    "Anti-Alias",                                                                      // 277
    "Improves display of diagonal and curved lines, removing zig-zag.",                // 278
    "Region",                                                                          // 279
    "Fills the region between a fixed value and Series points.",                       // 280
    "Text 3D",                                                                         // 281
    "Displays text with 3D font and 3D rotation.",                                     // 282
    "Banner",                                                                          // 283
    "Scrolling and blinking text",                                                     // 284
    "&New",                                                                            // 285
    "&Delete",                                                                         // 286
    "&Rename...",                                                                      // 287
    "&Edit...",                                                                        // 288
    "&View Toolbar",                                                                   // 289
    "Rename Chart page",                                                               // 290
    "New name:",                                                                       // 291
    "Frame",                                                                           // 292
    "Draws a decorating frame around Chart panel",                                     // 293
    "Histogram",                                                                       // 294
    "Excel file empty",                                                                // 295
    "Excel",                                                                           // 296
    "Excel WorkSheet must be specified",                                               // 297
    "Range must be specified. (ie: From A1 to A10)",                                   // 298
    "Summary properties",                                                              // 299
    "Legend Palette",                                                                  // 300
    "Displays legend made with 3D series palette colors",                              // 301
    "Statistics",                                                                      // 302
    "Scrollbar",                                                                       // 303
    "Org.Chart",                                                                       // 304
    "World",                                                                           // 305
    "Africa",                                                                          // 306
    "Asia",                                                                            // 307
    "Australia",                                                                       // 308
    "Central America",                                                                 // 309
    "Europe",                                                                          // 310
    "Europe 15",                                                                       // 311
    "Europe 27",                                                                       // 312
    "Spain",                                                                           // 313
    "Middle East",                                                                     // 314
    "North America",                                                                   // 315
    "South America",                                                                   // 316
    "USA",                                                                             // 317
    "USA Alaska",                                                                      // 318
    "Maps",                                                                            // 319
    "Tag Cloud",                                                                       // 320
    "Renko",                                                                           // 321
    "Kagi",                                                                            // 322
    "Numeric\rGauge",                                                                  // 323
    "Circular\rGauge",                                                                 // 324
    "LED",                                                                             // 325
    "Linear\rGauge",                                                                   // 326
    "Link",                                                                            // 327
    "Displays clickable text to navigate to a URL internet address.",                  // 328
    "Fibonacci",                                                                       // 329
    "Draws Fibonacci arcs and fans over financial data.",                              // 330
    "Vertical",                                                                        // 331
    "AVI file",                                                                        // 332
    "Select AVI file to store video",                                                  // 333
    "MPEG Video files",                                                                // 334
};

} // namespace

std::string& ToolText(int number) {
    if (number < 1 || number > ToolTextCount)
        throw EChartIndexError(number, ToolTextCount);
    return texts[static_cast<std::size_t>(number - 1)];
}

void StartToolTexts() {
    if (starts++ > 0)
        return;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = kTexts[i];
}

void StopToolTexts() {
    if (starts == 0 || --starts > 0)
        return;
    for (auto& t : texts)
        t.clear();
}
