#pragma once
// Puts the tool bar, its buttons and spacers in the class registry, for form descriptions.
void RegisterToolbarControls();
