#pragma once
// The paper the user's locale prints on (the LC_PAPER setting of the environment).

// Width and height of the locale's paper in millimetres; false when the locale cannot be read.
bool LocalePaperSize(int& widthMm, int& heightMm);
