#pragma once
// Puts the progress bar in the class registry, for form descriptions.
void RegisterProgressControls();
