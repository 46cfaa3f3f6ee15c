#include "camera/photopicker.h"

#include "app/applicationroot.h"

PhotoPicker::PhotoPicker(QQuickItem *parent)
    : QQuickItem(parent)
{
}

QString PhotoPicker::samplePhotoPath()
{
    return applicationRootPath() + QStringLiteral("qml/ui/res/samplephoto.jpg");
}

void PhotoPicker::launch()
{
    emit selected(samplePhotoPath());
}
