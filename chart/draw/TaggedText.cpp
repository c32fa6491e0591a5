#include "chart/draw/TaggedText.h"

#include "chart/draw/PlotCanvas.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string Unquote(std::string s) {
    if (!s.empty() && s.front() == '"')
        s.erase(0, 1);
    if (!s.empty() && s.back() == '"')
        s.pop_back();
    return s;
}

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// "NAME=x SIZE=3 COLOR=RED": name and value pairs split at each "="; a value runs to the last
// space before the next "=".
std::vector<std::pair<std::string, std::string>> Fields(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> fields;
    std::size_t nameStart = 0;
    for (std::size_t eq = text.find('='); eq != std::string::npos;) {
        const std::size_t next = text.find('=', eq + 1);
        std::size_t valueEnd = text.size();
        if (next != std::string::npos) {
            const std::size_t space = text.rfind(' ', next);
            valueEnd = space != std::string::npos && space > eq ? space : next;
        }
        fields.emplace_back(Trim(text.substr(nameStart, eq - nameStart)),
                            Trim(text.substr(eq + 1, valueEnd - eq - 1)));
        nameStart = valueEnd;
        eq = next;
    }
    return fields;
}

int ToInt(const std::string& s, const std::string& what) {
    if (s.empty() || s.size() > 9 ||
        !std::all_of(s.begin() + (s[0] == '-' || s[0] == '+' ? 1 : 0), s.end(),
                     [](char c) { return c >= '0' && c <= '9'; }) ||
        s == "-" || s == "+")
        throw Exception("Unknown field in FONT: " + what + "=" + s);
    return std::stoi(s);
}

TColor TagColor(const std::string& value) {
    static const std::pair<const char*, TColor> kNamed[] = {
        {"BLACK", 0x000000}, {"RED", 0x0000FF},   {"BLUE", 0xFF0000}, {"YELLOW", 0x00FFFF},
        {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000}, {"LIME", 0x00FF00}};
    for (const auto& [name, color] : kNamed)
        if (value == name)
            return color;
    if (!value.empty() && value[0] == '#') {
        const std::string hex = value.substr(1);
        if (hex.size() < 6 || !std::all_of(hex.begin(), hex.begin() + 6,
                                           [](char c) { return std::isxdigit(c) != 0; }))
            throw Exception("Unknown field in FONT: COLOR=" + value);
        auto byte = [&](int at) {
            return static_cast<std::uint8_t>(std::stoi(hex.substr(at, 2), nullptr, 16));
        };
        return RGB(byte(0), byte(2), byte(4));
    }
    return StringToColor(value);
}

// One pass over a text: the state of one call, its own stacks included.
class TTaggedPass {
public:
    TTaggedPass(TPlotCanvas& canvas, int x, int y, bool draw)
        : canvas_(canvas), x_(x), y_(y), startX_(x), draw_(draw) {}

    TSize Run(const std::string& text);

private:
    TFont& Font() { return *canvas_.Font(); }
    std::string NextToken(std::string& rest);
    void Handle(std::string token);
    bool HandleTag(const std::string& tag);
    void PushFont();
    void PopFont();
    void ApplyFontTag(const std::string& tag);
    void SetSize(int size) { Font().SetSize(std::max(1, size)); }
    void AddStyle(TFontStyle s, const std::string& tag);
    void RemoveStyle(TFontStyle s) { Font().SetStyle(Font().Style() - TFontStyles{s}); }
    std::string Descriptor();
    void Text(std::string text);
    void Image(const std::string& tag);
    void NotFoundBox(int w, int h);

    TPlotCanvas& canvas_;
    int x_, y_, startX_;
    bool draw_;
    int lineHeight_ = 0;
    bool centre_ = false;
    TSize size_{0, 0};
    bool pushed_ = false;
    bool previousPushed_ = false;
    std::vector<std::string> tags_;
    std::vector<std::string> fonts_;
};

TSize TTaggedPass::Run(const std::string& text) {
    lineHeight_ = canvas_.CharHeight();
    std::string rest = text;
    while (!rest.empty()) {
        std::string token = NextToken(rest);
        Handle(std::move(token));
    }
    return size_;
}

std::string TTaggedPass::NextToken(std::string& rest) {
    std::string token;
    if (rest[0] == '<') {
        const std::size_t close = rest.find('>');
        if (close == std::string::npos)
            throw HtmlParserException("Missing > at " + rest.substr(1));
        token = rest.substr(0, close + 1);
        rest.erase(0, close + 1);
        return token;
    }
    const std::size_t open = rest.find('<');
    token = rest.substr(0, open);
    rest.erase(0, open == std::string::npos ? rest.size() : open);
    return token;
}

void TTaggedPass::Handle(std::string token) {
    pushed_ = false;
    if (StartsWith(token, "\r\n")) {
        y_ += canvas_.CharHeight();
        x_ = startX_;
        lineHeight_ = 0;
        token.erase(0, 2);
    }
    if (!token.empty() && !HandleTag(Upper(token)))
        Text(token);
    previousPushed_ = pushed_;
}

// Carries out a tag; false for a token that is drawn as text.
bool TTaggedPass::HandleTag(const std::string& tag) {
    static const std::pair<const char*, int> kHeadings[] = {
        {"<H1>", 48}, {"<H2>", 36}, {"<H3>", 24}, {"<H4>", 18}, {"<H5>", 12}, {"<H6>", 8}};
    static const std::pair<const char*, TFontStyle> kStyles[] = {
        {"B", fsBold},   {"BOLD", fsBold},   {"STRONG", fsBold},
        {"I", fsItalic}, {"U", fsUnderline}, {"STRIKE", fsStrikeOut}};
    if (tag == "<BR>" || tag == "<P>") {
        x_ = startX_;
        lineHeight_ = 0;
    } else if (tag == "<BIG>" || tag == "<SMALL>") {
        PushFont();
        SetSize(Font().Size() + (tag == "<BIG>" ? 2 : -2));
    } else if (tag == "<SUB>") {
        PushFont();
        SetSize(Font().Size() / 2);
        y_ += canvas_.CharHeight();
    } else if (tag == "</SUB>") {
        PopFont();
        y_ -= canvas_.CharHeight();
    } else if (tag == "<SUPER>") {
        PushFont();
        SetSize(Font().Size() / 2);
        y_ -= canvas_.CharHeight() / 2;
    } else if (tag == "</SUPER>") {
        PopFont();
        y_ += canvas_.CharHeight() / 2;
    } else if (tag == "<PRE>") {
        PushFont();
        ApplyFontTag("<FONT NAME=\"COURIER NEW\">");
    } else if (tag == "</PRE>" || StartsWith(tag, "</FONT")) {
        PopFont();
    } else if (tag == "<CENTER>" || tag == "</CENTER>") {
        centre_ = tag == "<CENTER>";
    } else if (StartsWith(tag, "<FONT ")) {
        PushFont();
        ApplyFontTag(tag);
    } else if (tag == "</>") {
        if (previousPushed_) {
            PopFont();
        } else if (!tags_.empty()) {
            const std::string last = tags_.back();
            tags_.pop_back();
            return HandleTag("</" + last.substr(1));
        }
    } else if (tag == "<HR>") {
        x_ = startX_;
        canvas_.Pen()->SetStyle(psSolid);
        canvas_.Pen()->SetWidth(1);
        canvas_.Pen()->SetColor(0x808080);
        if (draw_)
            canvas_.HorizontalLine(x_, x_ + 100, y_);
        y_ += canvas_.CharHeight();
    } else if (StartsWith(tag, "<IMG ")) {
        Image(tag);
    } else {
        for (const auto& [name, heading] : kHeadings)
            if (tag == name) {
                PushFont();
                SetSize(heading);
                return true;
            }
        for (const auto& [name, style] : kStyles) {
            if (tag == std::string("<") + name + ">") {
                AddStyle(style, tag);
                return true;
            }
            if (tag == std::string("</") + name + ">") {
                RemoveStyle(style);
                return true;
            }
        }
        return false;
    }
    return true;
}

void TTaggedPass::AddStyle(TFontStyle s, const std::string& tag) {
    Font().SetStyle(Font().Style() + TFontStyles{s});
    tags_.push_back(tag);
}

std::string TTaggedPass::Descriptor() {
    static const std::pair<TFontStyle, const char*> kWords[] = {{fsBold, "BOLD"},
                                                                {fsItalic, "ITALIC"},
                                                                {fsUnderline, "UNDERLINE"},
                                                                {fsStrikeOut, "STRIKE"}};
    std::string weight;
    for (const auto& [style, word] : kWords)
        if (Font().Style().Contains(style))
            weight += (weight.empty() ? "" : ", ") + std::string(word);
    if (weight.empty())
        weight = "NORMAL";
    return "<FONT size=" + std::to_string(Font().Size()) + " name=" + Font().Name() +
           " color=" + std::to_string(Font().Color()) + " weight=" + weight + ">";
}

void TTaggedPass::PushFont() {
    fonts_.push_back(Descriptor());
    pushed_ = true;
}

void TTaggedPass::PopFont() {
    std::string descriptor;
    if (!fonts_.empty()) {
        descriptor = fonts_.back();
        fonts_.pop_back();
    }
    if (!descriptor.empty())
        ApplyFontTag(Upper(descriptor));
}

void TTaggedPass::ApplyFontTag(const std::string& tag) {
    if (tag.size() < 7)
        return;
    for (const auto& [name, value] : Fields(tag.substr(6, tag.size() - 7))) {
        if (name == "NAME" || name == "FAMILY") {
            Font().SetName(Unquote(value));
        } else if (name == "SIZE") {
            const int n = ToInt(value, name);
            SetSize(value[0] == '+' || value[0] == '-' ? Font().Size() + n : n);
        } else if (name == "COLOR") {
            Font().SetColor(TagColor(value));
        } else if (name == "WEIGHT") {
            static const std::pair<const char*, TFontStyle> kWords[] = {{"BOLD", fsBold},
                                                                        {"ITALIC", fsItalic},
                                                                        {"UNDERLINE", fsUnderline},
                                                                        {"STRIKE", fsStrikeOut}};
            TFontStyles styles;
            std::string rest = value;
            while (!rest.empty()) {
                const std::size_t comma = rest.find(", ");
                const std::string word = Trim(rest.substr(0, comma));
                rest = comma == std::string::npos ? "" : rest.substr(comma + 2);
                if (word == "NORMAL")
                    continue;
                auto it = std::find_if(std::begin(kWords), std::end(kWords),
                                       [&](const auto& w) { return word == w.first; });
                if (it == std::end(kWords))
                    throw Exception("Unknown field in FONT WEIGHT=" + value);
                styles.Include(it->second);
            }
            Font().SetStyle(styles);
        } else {
            throw Exception("Unknown field in FONT: " + name);
        }
    }
}

void TTaggedPass::Text(std::string text) {
    ReplaceAll(text, "&lt;", "<");
    ReplaceAll(text, "&gt;", ">");
    ReplaceAll(text, "&amp;", "&");
    ReplaceAll(text, "&quot;", "\"");
    bool lineEnd = false;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
        lineEnd = true;
    }
    if (!text.empty()) {
        const int w = canvas_.MeasureTextWidth(text);
        if (centre_)
            x_ = (canvas_.Bounds().Left + canvas_.Bounds().Right) / 2 - w / 2;
        const int h = canvas_.MeasureTextHeight(text);
        if (lineHeight_ == 0) {
            lineHeight_ = canvas_.CharHeight();
            y_ += lineHeight_;
        } else if (h < lineHeight_) {
            y_ += lineHeight_ - h - 1;
        }
        if (draw_)
            canvas_.TextOut(x_, y_, text);
        x_ += w;
        size_.cx = std::max(size_.cx, x_);
        lineHeight_ = std::max(lineHeight_, h);
        size_.cy = std::max(size_.cy, lineHeight_);
    }
    if (lineEnd) {
        lineHeight_ = 0;
        x_ = startX_;
    }
}

void TTaggedPass::NotFoundBox(int w, int h) {
    if (!draw_)
        return;
    TPen* pen = canvas_.Pen();
    pen->SetStyle(psSolid);
    pen->SetColor(0x0000FF);
    pen->SetWidth(1);
    canvas_.Brush()->SetStyle(bsSolid);
    canvas_.Brush()->SetColor(clWhite);
    canvas_.Rectangle(x_, y_, x_ + w, y_ + h);
    canvas_.Segment(x_, y_, x_ + w, y_ + h);
    canvas_.Segment(x_, y_ + h, x_ + w, y_);
}

void TTaggedPass::Image(const std::string& tag) {
    std::string body = tag.substr(5);
    if (StartsWith(body, "\r\n"))
        body.erase(0, 2);
    if (!body.empty() && body.back() == '>')
        body.pop_back();
    int w = 0, h = 0;
    std::string source;
    for (const auto& [name, value] : Fields(body)) {
        if (name == "WIDTH")
            w = ToInt(value, name);
        else if (name == "HEIGHT")
            h = ToInt(value, name);
        else if (name == "SRC")
            source = Unquote(Trim(value));
    }
    const int boxW = w == 0 ? 40 : w;
    const int boxH = h == 0 ? 40 : h;
    const std::size_t dot = source.rfind('.');
    std::unique_ptr<TGraphic> graphic;
    if (dot != std::string::npos && CreateGraphicForExtensionHook())
        graphic = CreateGraphicForExtensionHook()(Upper(source.substr(dot)));
    TMemoryStream stream;
    if (!graphic || !TaggedPictureLoader() || !TaggedPictureLoader()(source, stream) ||
        stream.Size() == 0) {
        NotFoundBox(boxW, boxH);
        return;
    }
    try {
        stream.Seek(0, soBeginning);
        graphic->LoadFromStream(stream);
        TPicture picture;
        picture.SetGraphic(graphic.get());
        const int pw = w == 0 ? graphic->Width() : w;
        const int ph = h == 0 ? graphic->Height() : h;
        if (draw_) {
            if (pw == graphic->Width() && ph == graphic->Height())
                canvas_.DrawGraphic(x_, y_, &picture);
            else
                canvas_.StretchGraphic({x_, y_, x_ + pw, y_ + ph}, &picture);
        }
        x_ += pw;
        y_ += ph;
    } catch (const Exception&) {
        NotFoundBox(boxW, boxH);
    }
}

} // namespace

TTaggedPictureLoader& TaggedPictureLoader() {
    static TTaggedPictureLoader loader;
    return loader;
}

TGraphicForExtension& CreateGraphicForExtensionHook() {
    static TGraphicForExtension hook;
    return hook;
}

void DrawTaggedText(TPlotCanvas& canvas, int x, int y, const std::string& text) {
    TTaggedPass(canvas, x, y, true).Run(text);
}

TSize MeasureTaggedText(TPlotCanvas& canvas, const std::string& text) {
    return TTaggedPass(canvas, 0, 0, false).Run(text);
}
