#pragma once
// Puts the framed containers (panel, group box, status pane) in the class registry, for form
// descriptions.
void RegisterContainerControls();
