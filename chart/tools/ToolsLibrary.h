#pragma once
// Start-up and shut-down of the chart tools library: the chart control below it, the image
// filters (which tool descriptions name), the extended edition's texts, and the tool classes
// registered with the chart's tool-type list (and so for form descriptions) in the order the tool
// galleries show them. Starts and stops nest; the last stop takes the classes out of the list
// again.

#include "platform/classes/Object.h"

#include <vector>

void StartChartTools();
void StopChartTools();

// The tool classes the library registers, in their registration order.
std::vector<TClass> ChartToolClasses();
