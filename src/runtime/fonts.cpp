#include "fonts.h"

#include <QFont>
#include <QStringList>

void Fonts::install()
{
    const QString amiri = QStringLiteral("Amiri");
    const QString naskh = QStringLiteral("Noto Naskh Arabic");
    QFont::insertSubstitutions(QStringLiteral("Traditional Arabic"), {amiri, naskh});
    // Amiri keeps the proportions of the design's header strip, whose blanks
    // leave room for the counters drawn over it; Noto Naskh Arabic runs about
    // 15 pixels too wide there.
    QFont::insertSubstitutions(QStringLiteral("Arabic Transparent"), {amiri, naskh});
    QFont::insertSubstitutions(QStringLiteral("Simplified Arabic"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), naskh});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Noto Sans"), naskh});
}
