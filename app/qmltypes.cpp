#include "app/qmltypes.h"

#include "app/common.h"
#include "app/datetimemodel.h"
#include "app/screenmanager.h"
#include "app/storagemanager.h"
#include "app/usermanager.h"
#include "cache/cacheableimageloader.h"
#include "cache/imagecachemode.h"
#include "camera/focuszoneitem.h"
#include "camera/photoitem.h"
#include "camera/photopicker.h"
#include "camera/simpleimage.h"
#include "camera/symbiancameracapturer.h"
#include "camera/tavirocamera.h"
#include "filters/filtermanager.h"
#include "filters/imageprocessor.h"
#include "models/commentlistmodel.h"
#include "models/followrequestlistmodel.h"
#include "models/friendlistmodel.h"
#include "models/frontpagemodel.h"
#include "models/profilebadgemodel.h"
#include "models/profilerecentimagesmodel.h"
#include "models/profileviewmanager.h"
#include "models/usertimelinemodel.h"
#include "service/taviroservicehandler.h"
#include "upload/uploaderqueuemodel.h"

#include <QtQml>

void registerQmlTypes()
{
    constexpr const char *lib = "TAVIROLib";
    qmlRegisterType<Common>(lib, 1, 0, "CommonCPP");
    qmlRegisterType<UserManager>(lib, 1, 0, "UserManager");
    qmlRegisterType<ImageProcessor>(lib, 1, 0, "ImageProcessor");
    qmlRegisterType<ImageCacheMode>(lib, 1, 0, "ImageCacheMode");
    qmlRegisterType<ScreenManager>(lib, 1, 0, "ScreenManager");
    qmlRegisterType<DateTimeModel>(lib, 1, 0, "DateTimeModel");
    qmlRegisterType<FilterManager>(lib, 1, 0, "FilterManager");
    qmlRegisterType<PhotoPicker>(lib, 1, 0, "PhotoPicker");
    qmlRegisterType<TAVIROCamera>(lib, 1, 0, "TAVIROCamera");
    qmlRegisterType<SimpleImage>(lib, 1, 0, "SimpleImage");
    qmlRegisterType<CacheableImageLoader>(lib, 1, 0, "CacheableImageLoader");
    qmlRegisterType<StorageManager>(lib, 1, 0, "StorageManager");
    qmlRegisterType<SymbianCameraCapturer>(lib, 1, 0, "SymbianCameraCapturer");
    qmlRegisterType<FocusZoneItem>(lib, 1, 0, "FocusZoneItem");
    qmlRegisterType<TaviroServiceHandler>(lib, 1, 0, "TaviroServiceHandler");
    qmlRegisterType<ProfileViewManager>(lib, 1, 0, "ProfileViewManager");
    qmlRegisterType<ProfileRecentImagesModel>(lib, 1, 0, "ProfileRecentImagesModel");
    qmlRegisterType<ProfileBadgeModel>(lib, 1, 0, "ProfileBadgeModel");
    qmlRegisterType<UserTimelineModel>(lib, 1, 0, "UserTimelineModel");
    qmlRegisterType<FrontPageModel>(lib, 1, 0, "FrontPageModel");
    qmlRegisterType<UploaderQueueModel>(lib, 1, 0, "UploaderQueueModel");
    qmlRegisterType<FriendListModel>(lib, 1, 0, "FriendListModel");
    qmlRegisterType<CommentListModel>(lib, 1, 0, "CommentListModel");
    qmlRegisterType<FollowRequestListModel>(lib, 1, 0, "FollowRequestListModel");
    qmlRegisterType<PhotoItem>("PhotoPicker", 1, 0, "PhotoItem");
}
