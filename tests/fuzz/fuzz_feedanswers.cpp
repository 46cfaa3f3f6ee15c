// Service answers as the feed models read them: every input goes to each
// model, as a refresh and as a load-more page, and every row is read back.
#include "models/commentlistmodel.h"
#include "models/followrequestlistmodel.h"
#include "models/friendlistmodel.h"
#include "models/frontpagemodel.h"
#include "models/notificationsmodel.h"
#include "models/popularmodel.h"
#include "models/profileviewmanager.h"
#include "models/savefilewriter.h"
#include "models/timelinemodel.h"
#include "models/usertimelinemodel.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void readAll(const QAbstractItemModel &model)
{
    const QList<int> roles = model.roleNames().keys();
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int role : roles)
            model.data(model.index(row, 0), role);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // The models save into the working folder.
    static QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        qFatal("no temporary working folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char *>(data), int(size));
    {
        TimelineModel timeline;
        timeline.parseJSON(answer, false);
        timeline.parseJSON(answer, true);
        timeline.parsePhotoSummaryJSON(answer);
        readAll(timeline);
    }
    {
        NotificationsModel notifications;
        notifications.parseJSON(answer, false);
        notifications.parseJSON(answer, true);
        readAll(notifications);
    }
    {
        PopularModel popular;
        popular.parseJSON(answer);
        readAll(popular);
        FrontPageModel frontPage;
        frontPage.parseJSON(answer);
        readAll(frontPage);
        UserTimelineModel userTimeline;
        userTimeline.parseJSON(answer);
        userTimeline.parseJSON(answer);
        readAll(userTimeline);
    }
    {
        FriendListModel people;
        people.parseJSON(answer);
        people.parseJSON(answer);
        readAll(people);
        CommentListModel comments;
        comments.parseJSON(answer);
        comments.parseJSON(answer);
        readAll(comments);
        FollowRequestListModel requests;
        requests.parseJSON(answer);
        requests.parseJSON(answer);
        readAll(requests);
    }
    {
        ProfileViewManager profile;
        profile.parseJSON(answer);
        readAll(*profile.recentImagesModel());
        readAll(*profile.badgeModel());
        profile.getProfilePictureInfo();
    }
    SaveFileWriter::waitForWrites();
    return 0;
}
