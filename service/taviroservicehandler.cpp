#include "service/taviroservicehandler.h"

TaviroServiceHandler::TaviroServiceHandler(QQuickItem *parent)
    : QQuickItem(parent)
{
}
