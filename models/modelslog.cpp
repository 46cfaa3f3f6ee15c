#include "models/modelslog.h"

Q_LOGGING_CATEGORY(lcModels, "taviro.models", QtDebugMsg)
