#pragma once

#include <QString>

// Absolute path of the folder above the executable's folder, ending in "/":
// installed data ("qml/ui/...") is found below it.
QString applicationRootPath();
