#pragma once
// Puts the framed memo in the class registry, for form descriptions.
void RegisterMemoControls();
