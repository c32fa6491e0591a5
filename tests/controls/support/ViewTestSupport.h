#pragma once
// Helpers of the framed view tests (memo, tree view, list view, string grid): a shown form in a
// colour no view uses, pictures of the views once the waiting events ran, the colours of the
// two-pixel frame ring, the mouse entering and leaving and the wheel turning over a view, the
// theme service switched on for a scope, and the property lines a view writes to a description.

#include "platform/classes/Streaming.h"
#include "platform/graphics/Themes.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEnterEvent>
#include <QWheelEvent>

#include <set>
#include <sstream>
#include <string>
#include <vector>

// Rectangles in test messages.
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

namespace viewtest {

constexpr TColor kFormColor = 0x1E8C14; // a green no view paints with

class ViewFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(kFormColor);
    }
};

// The view as it is painted once the waiting events have run (its whole widget).
inline QImage Grab(TWinControl* control) {
    QApplication::processEvents();
    return controlstest::Grab(control);
}
inline TColor At(const QImage& image, int x, int y) {
    return controlstest::PixelOf(image, x, y);
}
inline std::string Snapshot(const QImage& image, const std::string& suffix = "") {
    return controlstest::SnapshotOf(image, suffix);
}

enum class Edge { Left, Top, Right, Bottom };

// The colours of one side of ring `ring` (0: the outermost pixels), without the corners of the
// two outer rings.
inline std::set<TColor> RingSide(const QImage& image, int ring, Edge edge) {
    std::set<TColor> colours;
    const int w = image.width(), h = image.height();
    if (edge == Edge::Top || edge == Edge::Bottom) {
        const int y = edge == Edge::Top ? ring : h - 1 - ring;
        for (int x = 2; x < w - 2; ++x)
            colours.insert(At(image, x, y));
    } else {
        const int x = edge == Edge::Left ? ring : w - 1 - ring;
        for (int y = 2; y < h - 2; ++y)
            colours.insert(At(image, x, y));
    }
    return colours;
}
// The one colour of a whole ring, or clNone when its sides differ or are not uniform.
inline TColor RingColor(const QImage& image, int ring) {
    std::set<TColor> all;
    for (Edge e : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom})
        for (TColor c : RingSide(image, ring, e))
            all.insert(c);
    return all.size() == 1 ? *all.begin() : clNone;
}
inline std::set<TColor> Only(TColor color) {
    return {ColorToRGB(color)};
}

// The theme service switched on (or off) for a scope.
class ThemeServices {
public:
    explicit ThemeServices(bool on) : was_(SetThemeServicesEnabled(on)) {}
    ~ThemeServices() { SetThemeServicesEnabled(was_); }
    ThemeServices(const ThemeServices&) = delete;
    ThemeServices& operator=(const ThemeServices&) = delete;

private:
    bool was_;
};

inline QWidget* ViewportOf(TWinControl* view) {
    auto* area = qobject_cast<QAbstractScrollArea*>(view->Handle());
    return area != nullptr ? area->viewport() : view->Handle();
}

// The pointer moving onto a view and off it again.
inline void SendEnter(TWinControl* view) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(view->Handle(), &e);
}
inline void SendLeave(TWinControl* view) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(view->Handle(), &e);
}
// The wheel turned by `delta` (120 a notch; positive away from the user) over the viewport.
inline void SendWheel(TWinControl* view, int delta) {
    QWidget* target = ViewportOf(view);
    const QPointF at(10, 10);
    QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

// The property lines a component writes to its description, in order.
inline std::vector<std::string> StoredLines(TComponent* component) {
    std::istringstream in(ComponentToText(component));
    std::vector<std::string> lines;
    std::string line;
    int depth = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        const std::string trimmed = line.substr(first);
        if (trimmed.rfind("object ", 0) == 0)
            ++depth;
        else if (trimmed == "end")
            --depth;
        else if (depth == 1)
            lines.push_back(trimmed);
    }
    return lines;
}
// Whether a description line names the property.
inline bool Stores(const std::vector<std::string>& lines, const std::string& property) {
    for (const std::string& l : lines)
        if (l.rfind(property + " = ", 0) == 0)
            return true;
    return false;
}

} // namespace viewtest
