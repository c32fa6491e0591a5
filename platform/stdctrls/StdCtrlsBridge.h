#pragma once
// The Qt widgets behind the standard controls, for the controls' own sources and for tests that
// drive a widget as its user would. It hands Qt types: production code above the platform never
// includes it (scripts/check-includes refuses it) and works through the controls' own interface.
//
// Each function makes the control's widget when it does not exist yet, except LineEditOf.

#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"
#include "platform/stdctrls/TreeView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>

#include <unordered_map>

// The one-line edit of an edit control, or null when its widget is not made yet or is of
// another kind (a spin edit's spin box).
inline QLineEdit* LineEditOf(const TCustomEdit* edit) {
    if (!edit->HandleAllocated())
        return nullptr;
    return dynamic_cast<QLineEdit*>(const_cast<TCustomEdit*>(edit)->Handle());
}

inline QLineEdit* WidgetOf(TEdit* edit) {
    return static_cast<QLineEdit*>(edit->Handle());
}
inline QLineEdit* WidgetOf(TCustomMaskEdit* edit) {
    return static_cast<QLineEdit*>(edit->Handle());
}
inline QPlainTextEdit* WidgetOf(TCustomMemo* memo) {
    return static_cast<QPlainTextEdit*>(memo->Handle());
}
inline QSpinBox* WidgetOf(TSpinEdit* spin) {
    return static_cast<QSpinBox*>(spin->Handle());
}
inline QComboBox* WidgetOf(TCustomComboBox* combo) {
    return static_cast<QComboBox*>(combo->Handle());
}
inline QListWidget* WidgetOf(TCustomListBox* list) {
    return static_cast<QListWidget*>(list->Handle());
}
// A list view is a tree widget of top-level rows, one column per list column.
inline QTreeWidget* WidgetOf(TCustomListView* view) {
    return static_cast<QTreeWidget*>(view->Handle());
}
inline QTreeWidget* WidgetOf(TCustomTreeView* view) {
    return static_cast<QTreeWidget*>(view->Handle());
}
inline QScrollBar* WidgetOf(TScrollBar* bar) {
    return static_cast<QScrollBar*>(bar->Handle());
}
inline QSlider* WidgetOf(TTrackBar* bar) {
    return static_cast<QSlider*>(bar->Handle());
}

// The widget rows of a tree view's nodes, kept while the widget exists.
class TTreeViewRows {
public:
    static TTreeViewRows& Of(const TCustomTreeView& view) { return *view.rows_; }

    // A node's row, or null when it has none (no widget yet, or the node is gone).
    QTreeWidgetItem* Item(TTreeNode* node) const {
        auto it = rows_.find(node);
        return it == rows_.end() ? nullptr : it->second;
    }
    // The node of a row, or null.
    TTreeNode* Node(const QTreeWidgetItem* item) const {
        for (const auto& [node, row] : rows_)
            if (row == item && item != nullptr)
                return node;
        return nullptr;
    }
    void Add(TTreeNode* node, QTreeWidgetItem* item) { rows_[node] = item; }
    void Remove(TTreeNode* node) { rows_.erase(node); }
    void Clear() { rows_.clear(); }
    size_t Count() const { return rows_.size(); }

private:
    std::unordered_map<TTreeNode*, QTreeWidgetItem*> rows_;
};

// The widget row of a tree node, or null before the widget exists.
inline QTreeWidgetItem* WidgetItemOf(const TCustomTreeView* view, TTreeNode* node) {
    return TTreeViewRows::Of(*view).Item(node);
}
