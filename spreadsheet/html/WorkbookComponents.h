#pragma once
// Makes the workbook and export components known to form descriptions.

void RegisterWorkbookComponents();
