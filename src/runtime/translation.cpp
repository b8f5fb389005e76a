#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace {

constexpr QChar kFirstStrongIsolate(0x2068);
constexpr QChar kPopDirectionalIsolate(0x2069);

struct Translators {
    QTranslator own;  // the program's messages (in English: their plural forms)
    QTranslator qt;   // Qt's own texts
    bool ownLoaded = false;
    bool qtLoaded = false;
    bool rightToLeft = false;
};

Translators &translators()
{
    static Translators *loaded = [] {
        auto *t = new Translators;
        const QLocale locale;
        const QString language = QLocale(locale.uiLanguages().value(0, locale.name())).name().section(u'_', 0, 0);
        const bool arabic = language == QLatin1String("ar");
        t->rightToLeft = arabic;
        t->ownLoaded = t->own.load(arabic ? QStringLiteral(":/i18n/mathcontest_ar.qm") : QStringLiteral(":/i18n/mathcontest_en.qm"));
        if (arabic)
            t->qtLoaded = t->qt.load(QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return t;
    }();
    return *loaded;
}

} // namespace

void Translation::install()
{
    Translators &t = translators();
    if (t.qtLoaded)
        QCoreApplication::installTranslator(&t.qt);
    if (t.ownLoaded)
        QCoreApplication::installTranslator(&t.own);
}

bool Translation::rightToLeft()
{
    return translators().rightToLeft;
}

QString Translation::shown(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool reorders = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F || u == 0x061C;
        if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QChar(u'0'));
        else if (reorders)
            out += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QChar(u'0'));
        else
            out += c;
    }
    return isolate(out);
}

namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kRightToLeftIsolate(0x2067);
constexpr QChar kLeftToRightMark(0x200E);
constexpr QChar kRightToLeftMark(0x200F);

bool opensIsolate(QChar c)
{
    return c == kLeftToRightIsolate || c == kRightToLeftIsolate || c == kFirstStrongIsolate;
}

// The direction of the first strong letter of text from start, outside any
// isolate, up to the end of the isolate it stands in: 1 right to left, 0 left
// to right, -1 none.
int firstStrong(const QString &text, qsizetype start)
{
    int depth = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (opensIsolate(c)) {
            ++depth;
        } else if (c == kPopDirectionalIsolate) {
            if (depth == 0)
                return -1;
            --depth;
        } else if (depth == 0) {
            const QChar::Direction direction = c.direction();
            if (direction == QChar::DirL)
                return 0;
            if (direction == QChar::DirR || direction == QChar::DirAL)
                return 1;
        }
    }
    return -1;
}

} // namespace

QString Translation::forWindow(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        const int direction = firstStrong(line, 0);
        if (direction >= 0)
            line.prepend(direction == 1 ? kRightToLeftMark : kLeftToRightMark);
    }
    return lines.join(u'\n');
}

QString Translation::isolate(const QString &text)
{
    if (!rightToLeft() || text.isEmpty())
        return text;
    return kFirstStrongIsolate + text + kPopDirectionalIsolate;
}
