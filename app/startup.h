#pragma once

#include <QString>

// Creates ".TAVIRO/" in the working directory; an existing folder is kept as it is.
void ensureDataFolder();

// The "isThai" context flag for a current mobile country code.
bool isThaiCountryCode(const QString &mobileCountryCode);

// The whole start-up: application, splash, QML bridge, event loop.
int runTaviro(int argc, char *argv[]);
