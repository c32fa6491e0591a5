#pragma once
// Owner-drawn items of list boxes and combo boxes: the state an item is drawn in and the event
// that draws it. The control binds its Canvas to the item's pixels for the call, fills the item
// with the selection or window colour first and sets the canvas font to the control's (its
// colour the highlight text for a selected item); rect is the item in the control's client
// coordinates (for the closed combo box, its edit field, with odComboBoxEdit).

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Types.h"

#include <functional>

class TWinControl;

Q4_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
        odComboBoxEdit);
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;
