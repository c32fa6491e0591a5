#pragma once
// Puts the framed label and the address label in the class registry, for form descriptions.
void RegisterFramedLabels();
