#pragma once
// Puts the popup panel in the class registry, for form descriptions.
void RegisterPopupControls();
