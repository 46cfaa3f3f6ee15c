#include "app/translationloader.h"

#include "app/applicationroot.h"
#include "app/shelllog.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QTranslator *installTranslations(const QLocale &locale)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString folder = applicationRootPath() + QStringLiteral("translations");
    // Tries every UI language of the locale in turn ("th_TH" before "th").
    if (!translator->load(locale, QStringLiteral("taviro"), QStringLiteral("_"), folder)
        && !translator->load(QStringLiteral("taviro"), folder)) {
        qCDebug(lcShell) << "No translation for" << locale.uiLanguages() << "in" << folder;
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}
