#pragma once
// Positions in the chart message table of the texts the editor windows show.

#include "chart/draw/ChartMessages.h"

enum TEditorMessage : int {
    msgDeleteConfirm = 80,   // "Delete %s ?"
    msgIncorrectValue = 87,  // "Incorrect value. Reason: %s"
    msgIncrementHint = 88,   // "Enter [Number of Days] [hh:nn:ss]"
    msgClearImage = 122,     // "Clea&r"
    msgBrowseImage = 123,    // "B&rowse..."
    msgPeriodRange = 145,    // "Period range"
    msgSmallDots = 147,      // "Small Dots"
    msgTextFile = 230,       // "Text File"
    msgSelectTextFile = 339, // "Select text file"
    msgSaveAsTextFile = 340, // "Save as text file"
};
