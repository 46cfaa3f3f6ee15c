#pragma once

// Registers every native QML type under "TAVIROLib" 1.0 (and PhotoItem under
// "PhotoPicker" 1.0), in the order the QML side expects.
void registerQmlTypes();
