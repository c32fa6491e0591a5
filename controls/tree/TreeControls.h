#pragma once
// Puts the framed tree view in the class registry, for form descriptions.
void RegisterTreeControls();
