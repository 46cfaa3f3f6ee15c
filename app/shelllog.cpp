#include "app/shelllog.h"

Q_LOGGING_CATEGORY(lcShell, "taviro.shell", QtDebugMsg)
