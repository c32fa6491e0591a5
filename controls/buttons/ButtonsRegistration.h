#pragma once
// Puts the framed push buttons and the dialog button bar in the class registry, so that form
// descriptions can name them.

void RegisterFramedButtons();
