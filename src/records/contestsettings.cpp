#include "contestsettings.h"

#include "failure.h"
#include "regularfile.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;

[[noreturn]] void refuse(const QString &file, const QString &key, const QString &allowed)
{
    throw Failure(QCoreApplication::translate("ContestSettings", "The contest's settings cannot be used: %1 must be %2.").arg(Translation::shown(key), allowed), file,
                  QCoreApplication::translate("ContestSettings", "Correct the setting in the file (or with \"mathcontest-bank settings\"), then start the contest again."));
}

QString onOff(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool flag(const QString &value, const QString &file, const QString &key)
{
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    refuse(file, key, QCoreApplication::translate("ContestSettings", "true or false"));
}

} // namespace

QString ContestSettings::filePath(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(kFileName));
}

ContestSettings ContestSettings::load(const QString &folder)
{
    ContestSettings settings;
    const QString file = filePath(folder);
    if (!QFileInfo::exists(file) && !QFileInfo(file).isSymLink())
        return settings;
    const QString text = QString::fromUtf8(RegularFile::read(file, QCoreApplication::translate("ContestSettings", "The contest's settings file"),
                                                             QCoreApplication::translate("ContestSettings", "Make it a text file, or remove it to play with the usual settings."),
                                                             kMaxFileBytes));
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';') || line.compare(QLatin1String("[General]"), Qt::CaseInsensitive) == 0)
            continue;
        const QString key = line.section(u'=', 0, 0).trimmed();
        const QString value = line.section(u'=', 1).trimmed();
        if (key == QLatin1String("length")) {
            bool ok = false;
            settings.length = value.toInt(&ok);
            settings.lengthGiven = true;
            if (!ok || settings.length < 1)
                refuse(file, key, QCoreApplication::translate("ContestSettings", "a whole number from 1 to the number of questions in the bank"));
        } else if (key == QLatin1String("order")) {
            if (value != QLatin1String("random") && value != QLatin1String("fixed"))
                refuse(file, key, QCoreApplication::translate("ContestSettings", "random or fixed"));
            settings.order = value == QLatin1String("fixed") ? Order::Fixed : Order::Random;
        } else if (key == QLatin1String("names")) {
            settings.names = flag(value, file, key);
        } else if (key == QLatin1String("reveal")) {
            settings.reveal = flag(value, file, key);
        } else if (key == QLatin1String("hold")) {
            settings.hold = flag(value, file, key);
        } else if (key == QLatin1String("time")) {
            bool ok = false;
            settings.time = value.toInt(&ok);
            if (!ok || settings.time < 0 || settings.time > kMaxTime)
                refuse(file, key, QCoreApplication::translate("ContestSettings", "a whole number of seconds from 0 (no time limit) to %1").arg(kMaxTime));
        } else if (key == QLatin1String("speed")) {
            settings.speed = flag(value, file, key);
        } else if (key == QLatin1String("podium")) {
            settings.podium = flag(value, file, key);
        } else {
            refuse(file, key.isEmpty() ? line : key, QCoreApplication::translate("ContestSettings", "one of length, order, names, reveal, hold, time, speed and podium"));
        }
    }
    return settings;
}

void ContestSettings::check(qint64 questions, const QString &where) const
{
    if (length < 1 || (lengthGiven && length > questions))
        refuse(where, QStringLiteral("length"),
               QCoreApplication::translate("ContestSettings", "a whole number from 1 to %1, the number of questions in the bank").arg(questions));
}

void ContestSettings::save(const QString &folder) const
{
    const QString file = filePath(folder);
    QString lines = this->text().replace(u' ', u'\n');
    if (!lengthGiven)
        lines = lines.section(u'\n', 1);
    const QByteArray text = "[General]\n" + lines.toUtf8() + '\n';
    const QString failed = RegularFile::write(file, text);
    if (!failed.isEmpty())
        throw Failure(QCoreApplication::translate("ContestSettings", "The contest's settings could not be written: %1.").arg(Translation::isolate(failed)), file,
                      QCoreApplication::translate("ContestSettings", "Make sure the contest folder can be written to and the disk is not full."));
}

void ContestSettings::Overrides::applyTo(ContestSettings &settings) const
{
    settings.length = length.value_or(settings.length);
    settings.lengthGiven = settings.lengthGiven || length.has_value();
    settings.order = order.value_or(settings.order);
    settings.names = names.value_or(settings.names);
    settings.reveal = reveal.value_or(settings.reveal);
    settings.hold = hold.value_or(settings.hold);
    settings.time = time.value_or(settings.time);
}

QString ContestSettings::text() const
{
    QString line = QStringLiteral("length=%1 order=%2 names=%3 reveal=%4 hold=%5")
                       .arg(length)
                       .arg(order == Order::Fixed ? QStringLiteral("fixed") : QStringLiteral("random"), onOff(names), onOff(reveal), onOff(hold));
    // The class play's settings only where they differ from the game's, so
    // that the game's contests read as they always did.
    if (time != 0)
        line += QStringLiteral(" time=%1").arg(time);
    if (speed)
        line += QStringLiteral(" speed=true");
    if (podium)
        line += QStringLiteral(" podium=true");
    return line;
}
