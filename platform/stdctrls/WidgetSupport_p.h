#pragma once
// What the control sources share about their Qt widgets. For this library's .cpp files only: it
// hands Qt types, so no public header includes it.

#include "platform/forms/Messages.h"
#include "platform/graphics/Color.h"
#include "platform/stdctrls/SignalGuard_p.h"

#include <QIcon>
#include <QString>

#include <string>

class QWidget;
class TCustomImageList;

inline QString QStr(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string StdStr(const QString& s) {
    return s.toStdString();
}

// The data roles of a view row that keep its item's image and state index.
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kStateRole = Qt::UserRole + 2;

// The icon of image `index` in `images`, or `fallback` when there is none.
QIcon IconOf(TCustomImageList* images, int index, const QIcon& fallback = QIcon());

// Arrow keys (and characters) belong to a control that moves within itself, not to the form's
// dialog navigation. Answers the form's question and returns true; false for any other message.
bool KeepArrowKeys(TMessage& message);

// A view's background (the control's Color, also while disabled) and its text colour. While the
// view has no focus its selection disappears (hideSelection) or shows in the face colour.
void ApplyViewColors(QWidget* widget, TColor background, TColor text, bool hideSelection = true);
