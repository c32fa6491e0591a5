#pragma once
// Key filters that number fields take as their key-press handler. A handler drops a key by
// setting it to 0; a key it accepts is passed on unchanged.

class TInputController {
public:
    TInputController() = delete;

    // Backspace and the decimal digits pass; everything else is dropped.
    static void DecimalKeyPress(char& Key);
    static void DecimalKeyPress(char16_t& Key);

    // Backspace, the decimal digits and the hex letters of either case pass.
    static void HexKeyPress(char& Key);
    static void HexKeyPress(char16_t& Key);
};
