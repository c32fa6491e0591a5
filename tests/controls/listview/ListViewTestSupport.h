#pragma once
// Helpers of the list view tests: a report list on the shown form, clicks on its header and its
// rows as the user makes them, and the header's pixels.

#include "controls/listview/FrListView.h"
#include "tests/controls/support/ViewTestSupport.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <initializer_list>
#include <string>
#include <vector>

namespace listviewtest {

using namespace viewtest;

class ListViewFixture : public ViewFixture {
protected:
    // A report list of `width` x 150 with the columns given (caption, width).
    TFrListView* ReportList(int width, std::initializer_list<std::pair<const char*, int>> columns) {
        auto* l = MakeWithWidget<TFrListView>();
        l->SetBounds(10, 10, width, 150);
        l->SetViewStyle(vsReport);
        for (const auto& [caption, w] : columns) {
            TListColumn* c = l->Columns()->Add();
            c->SetCaption(caption);
            c->SetWidth(w);
        }
        return l;
    }
    static TListItem* AddRow(TFrListView* l, const std::string& caption,
                             std::initializer_list<const char*> subItems = {}) {
        TListItem* item = l->Items()->Add();
        item->SetCaption(caption);
        for (const char* s : subItems)
            item->SubItems()->Add(s);
        return item;
    }
    static std::vector<std::string> Column(TFrListView* l, int column) {
        std::vector<std::string> texts;
        for (int i = 0; i < l->Items()->Count(); ++i) {
            const TListItem* item = l->Items()->Item(i);
            texts.push_back(column == 0 ? item->Caption()
                            : column - 1 < item->SubItems()->Count()
                                ? item->SubItems()->Get(column - 1)
                                : std::string());
        }
        return texts;
    }
    static QHeaderView* HeaderOf(TFrListView* l) {
        return static_cast<QTreeWidget*>(l->Handle())->header();
    }
    // The left button pressed and let go on the header at (x, y) of the header.
    static void ClickHeader(TFrListView* l, int x, int y) {
        QWidget* h = HeaderOf(l)->viewport();
        const QPointF at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, h->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, h->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h, &release);
    }
    static void ClickColumn(TFrListView* l, int index) {
        const TRect r = l->HeaderSectionRect(index);
        ClickHeader(l, (r.Left + r.Right) / 2, r.Height() / 2);
    }
    // The pixels of header section `index` (its rectangle in the list's picture).
    struct Section {
        QImage image;
        TRect rect;
        TColor At(int x, int y) const { return viewtest::At(image, rect.Left + x, rect.Top + y); }
        int Width() const { return rect.Width(); }
        int Height() const { return rect.Height(); }
        // Pixels of `color` in each row of the section.
        std::vector<int> RowCounts(TColor color) const {
            std::vector<int> counts;
            for (int y = 0; y < Height(); ++y) {
                int n = 0;
                for (int x = 0; x < Width(); ++x)
                    n += At(x, y) == ColorToRGB(color) ? 1 : 0;
                counts.push_back(n);
            }
            return counts;
        }
        // The columns holding `color`: the first and one past the last (-1, -1 for none).
        std::pair<int, int> Columns(TColor color) const {
            int first = -1, last = -1;
            for (int x = 0; x < Width(); ++x)
                for (int y = 0; y < Height(); ++y)
                    if (At(x, y) == ColorToRGB(color)) {
                        first = first < 0 ? x : first;
                        last = x + 1;
                    }
            return {first, last};
        }
    };
    static Section SectionOf(TFrListView* l, int index) {
        TRect r = l->HeaderSectionRect(index);
        OffsetRect(r, 2, 2); // the border
        return {Grab(l), r};
    }
};

} // namespace listviewtest
