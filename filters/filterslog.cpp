#include "filters/filterslog.h"

Q_LOGGING_CATEGORY(lcFilters, "taviro.filters", QtDebugMsg)
