#pragma once
// Puts the framed string grid in the class registry, for form descriptions.
void RegisterGridControls();
