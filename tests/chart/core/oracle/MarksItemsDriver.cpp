// Writes and reads the stored "Items" block of series marks for the Python model of the block
// (marks_items_oracle.py). Standard input holds one request a line; each answer ends with
// "end":
//   n                 starts empty items
//   s I C V T B F L.. makes item I (the items between stay missing) with colour C (a number),
//                     visible V and transparent T (0 or 1), bevel width B, font size F and
//                     the text lines L (hex of their UTF-8 bytes, "-" for an empty line)
//   W                 prints "block" and the block written from the items, in hex
//   R HEX             reads a block ("-" for an empty one) into new items: "ok" and one line
//                     "i C V T B F L.." per item, or "error" when the block is refused

#include "chart/core/ChartCore.h"
#include "chart/core/MarksItems.h"
#include "platform/rtl/Exception.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string Hex(const std::string& bytes) {
    std::string out;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", c);
        out.append(pair, 2);
    }
    return out.empty() ? "-" : out;
}

std::string Unhex(const std::string& text) {
    std::string out;
    if (text == "-")
        return out;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        out.push_back(static_cast<char>(std::strtol(text.substr(i, 2).c_str(), nullptr, 16)));
    return out;
}

void SetItem(TMarksItems& items, std::istringstream& in) {
    int index = 0, visible = 0, transparent = 0, bevel = 0, size = 0;
    long long colour = 0;
    in >> index >> colour >> visible >> transparent >> bevel >> size;
    TMarksItem* item = items.Item(index);
    item->SetColor(static_cast<TColor>(colour));
    item->SetVisible(visible != 0);
    item->SetTransparent(transparent != 0);
    item->SetBevelWidth(bevel);
    item->Font()->SetSize(size);
    std::string line;
    while (in >> line)
        item->Text()->Add(Unhex(line));
}

void PrintItems(const TMarksItems& items) {
    for (int i = 0; i < items.Count(); ++i) {
        const TMarksItem* item = items.Existing(i);
        if (item == nullptr) {
            std::printf("i -\n");
            continue;
        }
        std::printf("i %u %d %d %d %d", static_cast<unsigned>(item->Color()),
                    item->Visible() ? 1 : 0, item->Transparent() ? 1 : 0, item->BevelWidth(),
                    item->Font()->Size());
        if (const TStrings* text = item->TextIfAny())
            for (int k = 0; k < text->Count(); ++k)
                std::printf(" %s", Hex(text->Get(k)).c_str());
        std::printf("\n");
    }
}

} // namespace

int main() {
    StartChartCore();
    TMarksItems items;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        char op = 0;
        in >> op;
        if (op == 'n') {
            items.Clear();
            continue;
        }
        if (op == 's') {
            SetItem(items, in);
            continue;
        }
        if (op == 'W') {
            TStringStream stream;
            items.WriteBlock(stream);
            std::printf("block %s\n", Hex(stream.DataString()).c_str());
        } else if (op == 'R') {
            std::string hex;
            in >> hex;
            TMarksItems read;
            TStringStream stream(Unhex(hex));
            try {
                read.ReadBlock(stream);
                std::printf("ok\n");
                PrintItems(read);
            } catch (const EReadError&) {
                std::printf("error\n");
            }
        }
        std::printf("end\n");
        std::fflush(stdout);
    }
    StopChartCore();
    return 0;
}
