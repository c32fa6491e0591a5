#pragma once
// The text form of descriptions, and conversion between it and the binary form.
//
//     object Form1: TForm1
//       Caption = 'Связь'#13#10'line two'
//       Options = [toBold, toItalic]
//       Lines.Strings = (
//         'one'
//         'two')
//       Data = {
//         0102FF}
//       Items = <
//         item
//           Value = 3
//         end>
//       object Button1: TButton
//         OnClick = Button1Click
//       end
//     end
//
// Text is UTF-8. A quoted string holds any character but the quote (doubled) and control
// characters; #n adds the character with code point n. Strings join by adjacency or "+" across
// lines. Floats always use "." and may carry a suffix: s (single), c (currency), d (date). A
// binary block {...} holds raw bytes in hex and is never transcoded.
//
// Double-precision values (a code only other writers produce) come back as extended ones; any
// double survives that exactly.

#include "platform/classes/Reader.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <string>
#include <string_view>

// A syntax error in a text description; the message names the line.
Q4_EXCEPTION(EParserError, EReadError);

// Converts one binary description (signature and object) to text, from the input's position.
void ObjectBinaryToText(TStream& input, TStream& output);
// Converts one text description to binary; lines, when given, receives where each object and
// property came from.
void ObjectTextToBinary(TStream& input, TStream& output, TLineMap* lines = nullptr);

std::string ObjectBinaryToText(std::string_view binary);
std::string ObjectTextToBinary(std::string_view text, TLineMap* lines = nullptr);
// True when the bytes begin with the binary signature.
bool IsBinaryDescription(std::string_view bytes);
