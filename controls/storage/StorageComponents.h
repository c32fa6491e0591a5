#pragma once
// Puts the storage components in the class registry, for form descriptions.
void RegisterStorageComponents();
