#pragma once
// Small routines the chart library shares: a quicksort through callbacks, the module colour
// palette, texts of separated fields and unique component names, the check-box glyph, enabling a
// list of controls, class bitmaps from the program's resources, the translation hook, and the
// chart editor's preferences in the registry.

#include "platform/graphics/Color.h"
#include "platform/graphics/Cursors.h"

#include <functional>
#include <string>
#include <vector>

class TBitmap;
class TCanvas;
class TComponent;
class TControl;
class TMetaClass;

// The library's own cursor, the hand over clickable chart parts, loaded by the start from the
// program's cursor resource "PLOT_CURSOR_HAND".
constexpr TCursor crPlotHand = 2020;

// Starts the drawing layer below and, on the first start, sets the default palette and puts the
// hand cursor on the screen; the last stop takes the cursor off again and stops the layer below.
// Starts nest.
void StartChartUtilities();
void StopChartUtilities();

// Sorts the indexes first..last: compare(i, j) answers negative, zero or positive; swap(i, j)
// exchanges two entries. An inconsistent comparison never takes an index out of the range.
void SortByCallbacks(int first, int last, const std::function<int(int, int)>& compare,
                     const std::function<void(int, int)>& swap);

// The twenty default colours, red first.
const std::vector<TColor>& DefaultPalette();
// The module palette entry index mod its length.
TColor PaletteColorOf(int index);
// A copy of colours; none brings the default back.
void SetModulePalette(const std::vector<TColor>& colors);
const std::vector<TColor>& ModulePalette();

std::string IntToText(int n);
// prefix + the smallest n >= 1 that names no component of owner ("1" without an owner).
std::string UniqueComponentName(const TComponent* owner, const std::string& prefix);
// The module's field separator (";").
std::string& FieldSeparator();
// 0 for an empty text, else 1 + the separators in it.
int FieldCount(const std::string& text);
int FieldCount(const std::string& text, const std::string& separator);
// Field n (from 1): empty for an empty text or n < 1, the last field when there are fewer.
std::string FieldAt(const std::string& text, int n);
std::string FieldAt(const std::string& text, int n, const std::string& separator);
// Every search character becomes replace; a zero replace deletes them.
std::string ReplaceCharacter(std::string text, char search, char replace);

// A 13 x 13 check box (or radio button) glyph at (x, y).
void DrawCheckGlyph(int x, int y, TCanvas& canvas, bool checked, bool asCheckBox);
// Sets Enabled of every entry that is not null, from the last to the first.
void SetControlsEnabled(bool enabled, const std::vector<TControl*>& controls);
// Called by editor forms with themselves, for a localisation layer; none installed.
std::function<void(TControl*)>& TranslationHook();
void TranslateControl(TControl* control);
// Loads the bitmap resource named like the class, else like its parent class; false when
// neither exists.
bool LoadClassBitmap(const TMetaClass* cls, TBitmap& bitmap);

// The chart editor's preferences under the current user's "Editor" key of the chart library.
bool ReadEditorBoolean(const std::string& name, bool def);
int ReadEditorInteger(const std::string& name, int def);
void WriteEditorBoolean(const std::string& name, bool value);
