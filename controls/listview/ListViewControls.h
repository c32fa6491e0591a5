#pragma once
// Puts the framed list view in the class registry, for form descriptions.
void RegisterListViewControls();
