#pragma once
// Puts every control class of this library in the class registry, so that descriptions can
// name them.

void RegisterStdControls();
