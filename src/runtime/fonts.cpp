#include "fonts.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

void Fonts::install()
{
    const QString amiri = QStringLiteral("Amiri");
    const QString naskh = QStringLiteral("Noto Naskh Arabic");
    // Amiri holds Latin letters and digits as well as Arabic.
    QFont::insertSubstitutions(QStringLiteral("Traditional Arabic"), {amiri});
    // Amiri also keeps the proportions of the quiz window's header strip,
    // whose blanks leave room for the counters drawn over it; Noto Naskh
    // Arabic runs about 15 pixels too wide there.
    QFont::insertSubstitutions(QStringLiteral("Arabic Transparent"), {amiri});
    QFont::insertSubstitutions(QStringLiteral("Simplified Arabic"), {naskh});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), naskh});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Noto Sans"), naskh});
}

void Fonts::useReplacements(QWidget *window)
{
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        const QStringList replacements = QFont::substitutes(widget->font().family());
        if (replacements.isEmpty())
            continue;
        QFont font = widget->font();
        font.setFamilies(replacements);
        widget->setFont(font);
    }
}
