#pragma once
// Puts the splitter and its pane class in the class registry, for form descriptions.
void RegisterSplitterControls();
