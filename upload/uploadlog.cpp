#include "upload/uploadlog.h"

Q_LOGGING_CATEGORY(lcUpload, "taviro.upload", QtDebugMsg)
