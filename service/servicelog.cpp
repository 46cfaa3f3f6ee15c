#include "service/servicelog.h"

Q_LOGGING_CATEGORY(lcService, "taviro.service", QtDebugMsg)
