#include "cache/imagecachemode.h"

ImageCacheMode::ImageCacheMode(QObject *parent)
    : QObject(parent)
{
}
