#pragma once

#include <QString>

// Points the app's picture folder and thumbnail cache into `home` and puts
// three photos of different sizes and ages in the picture folder. Call before
// the app starts: the gallery reads the folder once it is first asked for.
void usePrivatePictures(const QString &home);
