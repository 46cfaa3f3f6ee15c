#include "app/qmltypes.h"

#include "app/common.h"
#include "app/datetimemodel.h"
#include "app/screenmanager.h"
#include "app/storagemanager.h"
#include "app/usermanager.h"
#include "filters/filtermanager.h"
#include "filters/imageprocessor.h"
#include "service/taviroservicehandler.h"

#include <QtQml>

void registerQmlTypes()
{
    constexpr const char *lib = "TAVIROLib";
    qmlRegisterType<Common>(lib, 1, 0, "CommonCPP");
    qmlRegisterType<UserManager>(lib, 1, 0, "UserManager");
    qmlRegisterType<ImageProcessor>(lib, 1, 0, "ImageProcessor");
    qmlRegisterType<ScreenManager>(lib, 1, 0, "ScreenManager");
    qmlRegisterType<DateTimeModel>(lib, 1, 0, "DateTimeModel");
    qmlRegisterType<FilterManager>(lib, 1, 0, "FilterManager");
    qmlRegisterType<StorageManager>(lib, 1, 0, "StorageManager");
    qmlRegisterType<TaviroServiceHandler>(lib, 1, 0, "TaviroServiceHandler");
}
