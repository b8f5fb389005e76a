#include "fonts.h"

#include <QFont>
#include <QStringList>

void Fonts::install()
{
    const QString naskh = QStringLiteral("Noto Naskh Arabic");
    QFont::insertSubstitutions(QStringLiteral("Traditional Arabic"), {QStringLiteral("Amiri"), naskh});
    QFont::insertSubstitutions(QStringLiteral("Arabic Transparent"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("Simplified Arabic"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), naskh});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Noto Sans"), naskh});
}
