#include "translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void Translation::install()
{
    if (QLocale::system().language() != QLocale::Arabic)
        return;
    static QTranslator translator;
    if (translator.load(QStringLiteral(":/i18n/mathcontest_ar.qm")))
        QCoreApplication::installTranslator(&translator);
}
