#pragma once

class QLocale;
class QTranslator;

// Installs the app's own translation for the locale, read from the installed
// data ("translations/taviro_<language>.qm" beside bin/), before any text is
// shown. A locale without one gets the English plural forms ("taviro.qm").
// Returns the installed translator, owned by the application, or nullptr.
QTranslator *installTranslations(const QLocale &locale);
