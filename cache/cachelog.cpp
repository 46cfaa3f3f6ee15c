#include "cache/cachelog.h"

Q_LOGGING_CATEGORY(lcCache, "taviro.cache", QtDebugMsg)
