#include "controls/common/FrColorNames.h"

const std::array<TFrColorRec, 16>& StandardColors() {
    static const std::array<TFrColorRec, 16> table = {{
        {"Black", RGB(0, 0, 0)},
        {"Maroon", RGB(128, 0, 0)},
        {"Green", RGB(0, 128, 0)},
        {"Olive", RGB(128, 128, 0)},
        {"Navy", RGB(0, 0, 128)},
        {"Purple", RGB(128, 0, 128)},
        {"Teal", RGB(0, 128, 128)},
        {"Gray", RGB(128, 128, 128)},
        {"Silver", RGB(192, 192, 192)},
        {"Red", RGB(255, 0, 0)},
        {"Lime", RGB(0, 255, 0)},
        {"Yellow", RGB(255, 255, 0)},
        {"Blue", RGB(0, 0, 255)},
        {"Fuchsia", RGB(255, 0, 255)},
        {"Aqua", RGB(0, 255, 255)},
        {"White", RGB(255, 255, 255)},
    }};
    return table;
}

const std::array<TFrColorRec, 25>& SystemColors() {
    static const std::array<TFrColorRec, 25> table = [] {
        const char* const names[25] = {
            "ScrollBar",    "Background",  "ActiveCaption", "InactiveCaption",
            "Menu",         "Window",      "WindowFrame",   "MenuText",
            "WindowText",   "CaptionText", "ActiveBorder",  "InactiveBorder",
            "AppWorkSpace", "Highlight",   "HighlightText", "BtnFace",
            "BtnShadow",    "GrayText",    "BtnText",       "InactiveCaptionText",
            "BtnHighlight", "3DDkShadow",  "3DLight",       "InfoText",
            "InfoBk"};
        std::array<TFrColorRec, 25> t;
        for (std::uint32_t i = 0; i < 25; ++i)
            t[i] = {names[i], colordetail::Sys(i)};
        return t;
    }();
    return table;
}

const TFrColorRec& DefaultColorRec() {
    static const TFrColorRec rec{"Default", 0};
    return rec;
}

const TFrColorRec& CustomColorRec() {
    static const TFrColorRec rec{"Custom", 0};
    return rec;
}

const std::array<TColorData, 70>& ColorPalette() {
    static const std::array<TColorData, 70> table = [] {
        const char* const names[70] = {"Black",
                                       "Brown",
                                       "Olive Green",
                                       "Dark Green",
                                       "Dark Teal",
                                       "Dark Blue",
                                       "Indigo",
                                       "Gray 80%",
                                       "Dark Red",
                                       "Orange",
                                       "Dark Yellow",
                                       "Green",
                                       "Teal",
                                       "Blue",
                                       "Blue Gray",
                                       "Gray 50%",
                                       "Red",
                                       "Light Orange",
                                       "Lime",
                                       "Sea Green",
                                       "Aqua",
                                       "Light Blue",
                                       "Violet",
                                       "Gray 40%",
                                       "Pink",
                                       "Gold",
                                       "Yellow",
                                       "Bright Green",
                                       "Turquoise",
                                       "Sky Blue",
                                       "Plum",
                                       "Gray 25%",
                                       "Rose",
                                       "Tan",
                                       "Light Yellow",
                                       "Light Green",
                                       "Light Turquoise",
                                       "Pale Blue",
                                       "Lavender",
                                       "White",
                                       "Scroll Bar",
                                       "Background",
                                       "Active Caption",
                                       "Inactive Caption",
                                       "Menu",
                                       "Window",
                                       "Window Frame",
                                       "Menu Text",
                                       "Window Text",
                                       "Caption Text",
                                       "Active Border",
                                       "Inactive Border",
                                       "App WorkSpace",
                                       "Highlight",
                                       "Highlight Text",
                                       "Button Face",
                                       "Button Shadow",
                                       "Gray Text",
                                       "Button Text",
                                       "Inactive Caption Text",
                                       "Button Highlight",
                                       "3D Dark Shadow",
                                       "3D Light",
                                       "Info Text",
                                       "Info Background",
                                       "Hot Light",
                                       "Gradient Active Caption",
                                       "Gradient Inactive Caption",
                                       "Menu Highlight",
                                       "Menu Bar"};
        // $00BBGGRR, eight columns by five rows.
        const TColor rgb[40] = {
            0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333,
            0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,
            0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0x999933, 0xFF6633, 0x800080, 0x999999,
            0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,
            0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF};
        std::array<TColorData, 70> t;
        for (int i = 0; i < 70; ++i) {
            // System colours 0..24, then 26..30 (25 has no name of its own).
            const std::uint32_t sys = i < 65 ? i - 40 : i - 39;
            t[i] = {i < 40 ? rgb[i] : colordetail::Sys(sys), names[i]};
        }
        return t;
    }();
    return table;
}
