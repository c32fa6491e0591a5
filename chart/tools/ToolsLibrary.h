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

// The three tool units StartChartTools runs, for the library's ordered start (each counted, the
// layers below started by the caller): the anti-alias tool; the seventeen standard tools; the
// page-number tool. Stopping one takes its classes out of the tool-type list.
void StartAntiAliasToolUnit();
void StopAntiAliasToolUnit();
void StartStandardToolsUnit();
void StopStandardToolsUnit();
void StartPageNumToolUnit();
void StopPageNumToolUnit();

// The tool classes the library registers, in their registration order.
std::vector<TClass> ChartToolClasses();
