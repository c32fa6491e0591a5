#pragma once
// What the worker threads hand to the user interface: one element per change, each of a kind
// that names its applier (Appliers.h). Elements hold the controls they change; the controls live
// as long as the program, so the elements never own them.

#include <cstdint>
#include <memory>
#include <string>

class TComponent;
class TControl;
class TCustomListView;
class TCustomMemo;
class TStatusPanel;
class TStringGrid;
class TStringList;

enum TOutKind : uint8_t {
    okNone = 0, // the queue is empty
    okMemoLine = 1,
    okControlValue = 2,
    okComponentEnabled = 3,
    okListRow = 7,
    okMessage = 9,
    okStatusPanel = 10,
    okControlColor = 11,
    okGridCell = 13,
};

struct TOutElement {
    explicit TOutElement(TOutKind kind) : Kind(kind) {}
    virtual ~TOutElement() = default;
    TOutKind Kind;
};

struct TMemoOut : TOutElement {
    TMemoOut() : TOutElement(okMemoLine) {}
    TCustomMemo* Memo = nullptr;
    std::string Text;
    int Show = 1; // 0: the line is not added
};

// A control's value (okControlValue) or colour name (okControlColor).
struct TControlOut : TOutElement {
    explicit TControlOut(TOutKind kind) : TOutElement(kind) {}
    TControl* Control = nullptr;
    std::string Text;
};

struct TCompOut : TOutElement {
    TCompOut() : TOutElement(okComponentEnabled) {}
    TComponent* Component = nullptr;
    std::string Text;
};

struct TFullListOut : TOutElement {
    TFullListOut();
    ~TFullListOut() override;
    TCustomListView* ListView = nullptr;
    std::string Caption;
    std::unique_ptr<TStringList> SubItems;
};

struct TMsgOut : TOutElement {
    TMsgOut() : TOutElement(okMessage) {}
    std::string Text;
};

struct TStatusOut : TOutElement {
    TStatusOut() : TOutElement(okStatusPanel) {}
    std::string Text;
    TStatusPanel* Panel = nullptr;
};

struct TOutStringGrid : TOutElement {
    TOutStringGrid() : TOutElement(okGridCell) {}
    TStringGrid* Grid = nullptr;
    int Row = 0;
    int Col = 0;
    std::string Text;
};
