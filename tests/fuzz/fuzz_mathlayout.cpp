// libFuzzer target: any text is split into its expressions, each inside the
// text and none overlapping the one before, read as notation into a tree no
// taller than MathParser::kMaxHeight, laid out as a question's text and an
// answer's caption, and painted, and what of it was not read is named; the
// per-input timeout catches a reading that is not linear.
#include "mathparagraph.h"
#include "mathparser.h"
#include "mathtext.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

int heightOf(const MathNode &node)
{
    int height = 0;
    for (const MathNode &child : node.children)
        height = std::max(height, heightOf(child));
    return height + 1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv); // for the fonts, for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Noto Naskh Arabic"));
        f.setPixelSize(28);
        return f;
    }();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (heightOf(MathParser::parse(text)) > MathParser::kMaxHeight)
        std::abort();
    qsizetype done = 0;
    for (const MathText::Expression &e : MathText::expressions(text)) {
        if (e.start < done || e.length <= 0 || e.start + e.length > text.size())
            std::abort();
        if (heightOf(MathParser::parse(text, e.start, e.length)) > MathParser::kMaxHeight)
            std::abort();
        done = e.start + e.length;
    }
    for (const QString &message : MathText::unreadNotation(text)) {
        if (message.isEmpty())
            std::abort();
    }
    QImage image(450, 130, QImage::Format_RGB32);
    QPainter painter(&image);
    MathParagraph(text, font, 450, true).paint(painter, QPointF(0, 0));
    MathParagraph(text, font, 600, false).paint(painter, QPointF(0, 0));
    return 0;
}
