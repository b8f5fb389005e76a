#include "answerbutton.h"
#include "mathlayout.h"
#include "mathparagraph.h"
#include "mathparser.h"
#include "mathtext.h"
#include "picture.h"
#include "picturebox.h"
#include "questionpicture.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

namespace {

const QFont &bodyFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Noto Naskh Arabic"));
        f.setPixelSize(28);
        return f;
    }();
    return font;
}

// Where the piece that draws the character at index of text stands: its
// rectangle, from its baseline's left, the font's extent of it.
struct Drawn {
    QRectF rect;
    qreal baseline = 0;
    qreal pixelSize = 0;
    qreal centreX = -1; // of the character itself
};

std::optional<Drawn> drawnAt(const std::vector<MathPiece> &pieces, qsizetype index, qsizetype length = 1)
{
    for (const MathPiece &piece : pieces) {
        if (piece.kind != MathPiece::Kind::Text || piece.source < 0 || index < piece.source || index + length > piece.source + piece.text.size())
            continue;
        const QFontMetricsF metrics(piece.font);
        const QRectF ink = metrics.tightBoundingRect(piece.text);
        const qreal before = metrics.horizontalAdvance(piece.text.left(index - piece.source));
        const qreal own = metrics.horizontalAdvance(piece.text.mid(index - piece.source, length));
        const qreal centre = piece.rightToLeft ? piece.width - before - own / 2 : before + own / 2;
        return Drawn{QRectF(piece.at.x(), piece.at.y() + ink.top(), piece.width, ink.height()), piece.at.y(), qreal(QFontInfo(piece.font).pixelSize()),
                     piece.at.x() + centre};
    }
    return std::nullopt;
}

std::optional<Drawn> drawnAt(const std::vector<MathPiece> &pieces, const QString &text, const QString &token)
{
    const qsizetype at = text.indexOf(token);
    if (at < 0 || text.indexOf(token, at + 1) >= 0)
        qFatal("token %s is not once in the text", qPrintable(token));
    return drawnAt(pieces, at, token.size());
}

const MathPiece *pieceAt(const std::vector<MathPiece> &pieces, qsizetype source)
{
    const auto it = std::find_if(pieces.begin(), pieces.end(), [source](const MathPiece &p) { return p.source == source; });
    return it == pieces.end() ? nullptr : &*it;
}

const MathPiece *first(const std::vector<MathPiece> &pieces, MathPiece::Kind kind)
{
    const auto it = std::find_if(pieces.begin(), pieces.end(), [kind](const MathPiece &p) { return p.kind == kind; });
    return it == pieces.end() ? nullptr : &*it;
}

enum class Shape { Fraction, Power, Root, MixedNumber, IndexedRoot };
enum class Detail { Subscript, Tower, TallBars, RepeatingBar, ComplexFraction, Italic, Upright, Shown, SpacedAsTyped };

MathLayout laidOut(const QString &text)
{
    const QList<MathText::Expression> found = MathText::expressions(text);
    return MathLayout(MathParser::parse(text), bodyFont(), !found.isEmpty() && found[0].rightToLeft);
}

std::vector<QLineF> lines(const std::vector<MathPiece> &pieces)
{
    std::vector<QLineF> found;
    for (const MathPiece &piece : pieces) {
        if (piece.kind == MathPiece::Kind::Line)
            found.push_back(piece.line);
    }
    std::sort(found.begin(), found.end(), [](const QLineF &a, const QLineF &b) { return a.length() > b.length(); });
    return found;
}

} // namespace

class TestMathLayout : public QObject {
    Q_OBJECT
private slots:
    void notationIsSetAsInATextbook_data()
    {
        // Each expression, the shape to find, and its parts: for a fraction
        // numerator and denominator; for a power base and exponent; for a
        // root a character of its radicand at each end; for a mixed number
        // the whole part and the numerator; for a root with an index the
        // index and the radicand.
        addColumns<QString, Shape, QString, QString>("text", "shape", "one", "two");
        const struct {
            const char *name;
            QString text;
            Shape shape;
            QString one, two;
        } rows[] = {
            {"fraction of numbers", "3/4", Shape::Fraction, "3", "4"},
            {"fraction of a group", "(x + 1)/3", Shape::Fraction, "x", "3"},
            {"fraction with an Arabic variable", "س/4", Shape::Fraction, "س", "4"},
            {"power of a number", "2^5", Shape::Power, "2", "5"},
            {"power of a letter", "x^2 + 1", Shape::Power, "x", "2"},
            {"power with an Arabic base", "س^2 + 3", Shape::Power, "س", "2"},
            {"power of a group", "(-3)^2", Shape::Power, "3", "2"},
            {"superscript digit", "x² + 1", Shape::Power, "x", "²"},
            {"exponent of a group", "2^(n + 1)", Shape::Power, "2", "n"},
            {"root of a group", "sqrt(16 + 9)", Shape::Root, "1", "9"},
            {"root sign", "√49 + 1", Shape::Root, "4", "9"},
            {"root of an Arabic variable", "√س + 1", Shape::Root, "س", "س"},
            {"root with an Arabic variable inside", "sqrt(س + 9)", Shape::Root, "س", "9"},
            {"mixed number", "2 1/2 + 7", Shape::MixedNumber, "2", "1"},
            {"mixed number beside an Arabic variable", "س = 3 1/4", Shape::MixedNumber, "3", "1"},
            {"cube root", "root(3)(8)", Shape::IndexedRoot, "3", "8"},
            {"cube root sign with an Arabic variable", "∛س + 1", Shape::IndexedRoot, "∛", "س"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.text << row.shape << row.one << row.two;
    }
    void notationIsSetAsInATextbook()
    {
        auto [text, shape, one, two] = fetchRow<QString, Shape, QString, QString>("text", "shape", "one", "two");
        const bool rightToLeft = text.contains(QRegularExpression(QStringLiteral("\\p{Arabic}")));
        const MathLayout layout(MathParser::parse(text), bodyFont(), rightToLeft);
        const std::vector<MathPiece> &pieces = layout.pieces();
        const qsizetype oneAt = text.indexOf(one), twoAt = text.lastIndexOf(two);
        const std::optional<Drawn> a = drawnAt(pieces, oneAt), b = drawnAt(pieces, twoAt);
        QVERIFY2(a && b, "both parts are drawn");
        // Everything stands inside the layout's box.
        for (const MathPiece &piece : pieces) {
            if (piece.kind == MathPiece::Kind::Text)
                QVERIFY(piece.at.x() >= -0.5 && piece.at.x() + piece.width <= layout.width() + 0.5);
        }
        switch (shape) {
        case Shape::Fraction: {
            const MathPiece *bar = first(pieces, MathPiece::Kind::Line);
            QVERIFY(bar);
            const qreal barY = bar->line.y1(), barCentre = bar->line.center().x();
            QVERIFY(a->rect.bottom() < barY && b->rect.top() > barY);
            // Centred on the bar: a numerator or denominator of one piece
            // exactly, one of several (x + 1) over it.
            QVERIFY(std::min(bar->line.x1(), bar->line.x2()) <= a->rect.left() && std::max(bar->line.x1(), bar->line.x2()) >= b->rect.right());
            QVERIFY2(qAbs(b->rect.center().x() - barCentre) < 1.0, "the denominator is centred on the bar");
            break;
        }
        case Shape::Power:
            QVERIFY2(b->pixelSize < a->pixelSize, "the exponent is smaller");
            QVERIFY2(b->baseline < a->baseline - a->rect.height() * 0.3, "the exponent is raised");
            if (rightToLeft)
                QVERIFY2(b->rect.right() <= a->rect.left() + 0.5, "right to left, the exponent is before (left of) its base");
            else
                QVERIFY2(b->rect.left() >= a->rect.right() - 0.5, "left to right, the exponent is after its base");
            break;
        case Shape::Root:
        case Shape::IndexedRoot: {
            const MathPiece *sign = first(pieces, MathPiece::Kind::Path);
            QVERIFY(sign);
            const QRectF bounds = sign->path.boundingRect();
            const std::optional<Drawn> radicand = shape == Shape::Root ? a : b;
            // The bar is over the whole radicand.
            const qsizetype radicandStart = shape == Shape::Root ? oneAt : twoAt;
            for (qsizetype i = radicandStart; i < text.size() && text[i] != u' ' && text[i] != u')'; ++i) {
                const std::optional<Drawn> part = drawnAt(pieces, i);
                if (part)
                    QVERIFY2(bounds.left() <= part->rect.left() && bounds.right() >= part->rect.right() && bounds.top() < part->rect.top(), "under the bar");
            }
            QVERIFY(b->rect.right() <= bounds.right() && a->rect.left() >= bounds.left() - (shape == Shape::IndexedRoot ? a->rect.width() : 0));
            // The hook (where the sign starts) is on the side the expression
            // starts from.
            const QPointF hook = sign->path.elementAt(0);
            if (rightToLeft)
                QVERIFY2(hook.x() > radicand->rect.right(), "right to left, the hook is on the right");
            else
                QVERIFY2(hook.x() < radicand->rect.left(), "left to right, the hook is on the left");
            if (shape == Shape::IndexedRoot) {
                QVERIFY2(a->pixelSize < b->pixelSize && a->rect.bottom() < radicand->baseline, "the index is small, in the hook");
                QVERIFY(rightToLeft ? a->rect.left() > radicand->rect.right() : a->rect.right() < radicand->rect.left());
            }
            break;
        }
        case Shape::MixedNumber: {
            const MathPiece *bar = first(pieces, MathPiece::Kind::Line);
            QVERIFY(bar);
            const qreal barLeft = std::min(bar->line.x1(), bar->line.x2()), barRight = std::max(bar->line.x1(), bar->line.x2());
            // The whole part stands beside the fraction, level with its bar,
            // on the side the expression reads from.
            QVERIFY(a->rect.top() < bar->line.y1() && a->rect.bottom() > bar->line.y1());
            if (rightToLeft)
                QVERIFY2(a->rect.left() >= barRight - 0.5, "right to left, the whole part is right of its fraction");
            else
                QVERIFY2(a->rect.right() <= barLeft + 0.5, "left to right, the whole part is left of its fraction");
            QVERIFY(b->rect.bottom() < bar->line.y1());
            break;
        }
        }
    }

    void notationOfTheGrades_data()
    {
        // Each expression, what to look at, and the two parts it concerns:
        // for a subscript its base and index; for a tower of powers two
        // exponents, the second raised on the first; for bars, a character
        // they hold; for a repeating decimal the digits before the bar and
        // under it; for a function's name, typed without a blank and with
        // one; for a character shown as a textbook prints it, the character
        // typed and the one drawn; for spacing, the same typed with blanks.
        addColumns<QString, Detail, QString, QString>("text", "detail", "one", "two");
        QTest::newRow("subscript digit") << "x_1 + 2" << Detail::Subscript << "x" << "1";
        QTest::newRow("subscript letter") << "a_n + 1" << Detail::Subscript << "a" << "n";
        QTest::newRow("logarithm's base") << "log_2 8" << Detail::Subscript << "log" << "2";
        QTest::newRow("subscript right to left") << "س_١ = ٣" << Detail::Subscript << "س" << "١";
        QTest::newRow("tower of powers") << "2^3^4" << Detail::Tower << "3" << "4";
        QTest::newRow("tower right to left") << "٢^٣^٤" << Detail::Tower << "٣" << "٤";
        QTest::newRow("absolute value of a fraction") << "|1/2| + 1" << Detail::TallBars << "1" << "2";
        QTest::newRow("a set of fractions") << "{1/2, 3/4}" << Detail::TallBars << "1" << "4";
        QTest::newRow("repeating decimal") << "0.(3)" << Detail::RepeatingBar << "0." << "3";
        QTest::newRow("repeating decimals after the first") << "0.1(6)" << Detail::RepeatingBar << "0.1" << "6";
        QTest::newRow("repeating decimal right to left") << "٠٫(٣)" << Detail::RepeatingBar << "٠٫" << "٣";
        QTest::newRow("complex fraction") << "(1/2)/(3/4)" << Detail::ComplexFraction << "1" << "4";
        QTest::newRow("a Latin variable") << "2x + 1" << Detail::Italic << "x" << "2";
        QTest::newRow("a function's name") << "sin 30" << Detail::Upright << "sin" << "30";
        QTest::newRow("an Arabic function's name") << "جا ٣٠°" << Detail::Upright << "جا" << "٣٠";
        QTest::newRow("a unit") << "5 cm" << Detail::Upright << "cm" << "5";
        QTest::newRow("minus") << "7 - 3" << Detail::Shown << "-" << "\u2212";
        QTest::newRow("a negative number") << "-7" << Detail::Shown << "-" << "\u2212";
        QTest::newRow("star") << "3 * 4" << Detail::Shown << "*" << "×";
        QTest::newRow("prime") << "f'(x)" << Detail::Shown << "'" << "′";
        QTest::newRow("operators typed without blanks") << "2x+6=14" << Detail::SpacedAsTyped << "2x + 6 = 14" << "";
        QTest::newRow("ratio") << "3:4=x:20" << Detail::SpacedAsTyped << "3 : 4 = x : 20" << "";
        QTest::newRow("a sign is not spaced") << "-8+5" << Detail::SpacedAsTyped << "-8 + 5" << "";
        QTest::newRow("right to left") << "٢س+٦=١٤" << Detail::SpacedAsTyped << "٢س + ٦ = ١٤" << "";
        QTest::newRow("a function without a blank") << "sin30°" << Detail::SpacedAsTyped << "sin 30°" << "";
    }
    void notationOfTheGrades()
    {
        auto [text, detail, one, two] = fetchRow<QString, Detail, QString, QString>("text", "detail", "one", "two");
        const MathLayout layout = laidOut(text);
        const std::vector<MathPiece> &pieces = layout.pieces();
        const bool rightToLeft = MathText::expressions(text).value(0).rightToLeft;
        const std::optional<Drawn> a = drawnAt(pieces, text.indexOf(one), one.size()), b = drawnAt(pieces, text.lastIndexOf(two), two.size());
        const qreal size = bodyFont().pixelSize();
        switch (detail) {
        case Detail::Subscript:
        case Detail::Tower:
            QVERIFY(a && b);
            QVERIFY2(b->pixelSize < a->pixelSize, "smaller");
            if (detail == Detail::Subscript)
                QVERIFY2(b->baseline > a->baseline + size * 0.15, "lowered");
            else
                QVERIFY2(b->baseline < a->baseline - a->rect.height() * 0.3, "raised on the exponent below it");
            QVERIFY2(rightToLeft ? b->rect.right() <= a->rect.left() + 0.5 : b->rect.left() >= a->rect.right() - 0.5, "after, in the reading direction");
            break;
        case Detail::TallBars: {
            QVERIFY(a && b);
            QCOMPARE(std::count_if(pieces.begin(), pieces.end(), [&](const MathPiece &p) {
                         return p.kind == MathPiece::Kind::Path && p.path.boundingRect().top() < a->rect.top() && p.path.boundingRect().bottom() > b->rect.bottom();
                     }), 2);
            break;
        }
        case Detail::RepeatingBar: {
            QVERIFY(a && b);
            const std::vector<QLineF> bars = lines(pieces);
            QCOMPARE(bars.size(), size_t(1));
            QVERIFY2(bars[0].y1() < b->rect.top() && bars[0].y1() > b->rect.top() - size * 0.4, "just over the repeating digits");
            QVERIFY2(std::min(bars[0].x1(), bars[0].x2()) <= b->rect.left() + 1 && std::max(bars[0].x1(), bars[0].x2()) >= b->rect.right() - 1, "over all of them");
            QVERIFY2(std::max(bars[0].x1(), bars[0].x2()) <= a->rect.left() + 1 || std::min(bars[0].x1(), bars[0].x2()) >= a->rect.right() - 1, "over them only");
            QVERIFY2(b->rect.left() >= a->rect.right() - 0.5, "a number reads left to right in either direction");
            for (const MathPiece &piece : pieces)
                QVERIFY2(!piece.text.contains(u'(') && !piece.text.contains(u')'), "the brackets are not drawn");
            break;
        }
        case Detail::ComplexFraction: {
            const std::vector<QLineF> bars = lines(pieces);
            QCOMPARE(bars.size(), size_t(3));
            QVERIFY2(bars[0].length() > bars[1].length() + size * 0.5, "the main bar clearly longer than the inner ones");
            QVERIFY(bars[0].y1() > bars[1].y1() || bars[0].y1() < bars[2].y1());
            break;
        }
        case Detail::Italic:
        case Detail::Upright:
            QVERIFY(a && b);
            QCOMPARE(pieceAt(pieces, text.indexOf(one))->font.italic(), detail == Detail::Italic);
            QVERIFY(!pieceAt(pieces, text.lastIndexOf(two))->font.italic());
            break;
        case Detail::Shown:
            QVERIFY(a);
            QCOMPARE(pieceAt(pieces, text.indexOf(one))->text, two);
            break;
        case Detail::SpacedAsTyped:
            QCOMPARE(qRound(layout.width() * 4), qRound(laidOut(one).width() * 4));
            break;
        }
    }

    void unreadNotationIsNamed_data()
    {
        // A text, and what of its notation is said to be unread: the place
        // of each (from 1), in order, and a word of the first message.
        addColumns<QString, QList<int>, QString>("text", "places", "what");
        QTest::newRow("a caret with nothing after it") << "x^ + 1" << QList<int>{2} << "^";
        QTest::newRow("a caret at the end") << "ما قيمة 2^ ؟" << QList<int>{10} << "^";
        QTest::newRow("an underscore at the end") << "a_" << QList<int>{2} << "_";
        QTest::newRow("a caret before a bracket never closed") << "x^(2" << QList<int>{3, 2} << "(";
        QTest::newRow("a bracket never closed") << "sqrt(2" << QList<int>{5} << "never closed";
        QTest::newRow("a bracket closing nothing") << "(1 + 2)) × 3" << QList<int>{8} << "closes nothing";
        QTest::newRow("a bar never closed") << "|x + 1 = 4" << QList<int>{1} << "|";
        QTest::newRow("a root without its radicand") << "root(3) + 8" << QList<int>{1} << "root";
        QTest::newRow("a root sign of nothing") << "√ + 1" << QList<int>{1} << "root";
        QTest::newRow("two expressions") << "إذا كان x^ = 2 فما (y ؟" << QList<int>{10, 20} << "^";
        QTest::newRow("all read") << "|-7| + |3| - |-2| = ?" << QList<int>{} << "";
        QTest::newRow("intervals") << "[2, 5) ∪ ]7, 9[ ∪ (-∞, 0]" << QList<int>{} << "";
        QTest::newRow("a set by a property") << "{x | x > 2}" << QList<int>{} << "";
        QTest::newRow("escapes and a negative exponent") << "2\\^ + x^-2 + a\\_b" << QList<int>{} << "";
        QTest::newRow("roots and subscripts") << "root(3)(8) + x_1 + √س" << QList<int>{} << "";
    }
    void unreadNotationIsNamed()
    {
        auto [text, places, what] = fetchRow<QString, QList<int>, QString>("text", "places", "what");
        const QStringList unread = MathText::unreadNotation(text);
        QCOMPARE(unread.size(), places.size());
        QList<int> found;
        for (const QString &message : unread) {
            QVERIFY2(message.contains(QStringLiteral("shown as typed")), qPrintable(message));
            found << QRegularExpression(QStringLiteral("character (\\d+)")).match(message).captured(1).toInt();
        }
        QCOMPARE(found, places);
        if (!unread.isEmpty())
            QVERIFY2(unread[0].contains(what), qPrintable(unread[0]));
    }

    void mathematicsReadsInOrder_data()
    {
        // Each text, and characters of it (or Arabic words) in the order the
        // eye meets them from left to right on the picture and the button.
        addColumns<QString, QStringList>("text", "leftToRight");
        QTest::newRow("an equation with x") << "حل المعادلة: 2x + 6 = 14" << QStringList{"2", "x", "6", "1", "4", "حل"};
        QTest::newRow("an Arabic variable") << "2س + 6 = 14" << QStringList{"1", "4", "6", "س", "2"};
        QTest::newRow("subtraction") << "ما ناتج 5 - 9 ؟" << QStringList{"5", "9", "ناتج"};
        QTest::newRow("fractions in a question") << "ما ناتج 3/4 + 1/8 ؟" << QStringList{"3", "1", "ناتج"};
        QTest::newRow("negative numbers") << "-8 + 5" << QStringList{"-", "8", "5"};
        QTest::newRow("a power in a question") << "ما قيمة 2^5 ؟" << QStringList{"2", "5", "قيمة"};
        QTest::newRow("a percentage") << "كم يساوي 25% من 80 ؟" << QStringList{"8", "من", "2", "%", "يساوي"};
        QTest::newRow("a ratio") << "النسبة 6 : 9" << QStringList{"6", ":", "9", "النسبة"};
        QTest::newRow("a decimal") << "احسب 3.5 cm + 4 cm" << QStringList{"3", ".", "5", "+", "4", "احسب"};
        QTest::newRow("a negative answer") << "-4" << QStringList{"-", "4"};
        QTest::newRow("an answer with an Arabic variable") << "س = 3" << QStringList{"3", "=", "س"};
        QTest::newRow("plus or minus") << "±7" << QStringList{"±", "7"};
        QTest::newRow("plus or minus in a question") << "قيمة س هي ±7" << QStringList{"±", "7", "هي"};
        QTest::newRow("about") << "≈ 3.14" << QStringList{"≈", "3", "1"};
        QTest::newRow("a whole and a half") << "2½" << QStringList{"2", "½"};
        QTest::newRow("a sign before a number in a question") << "العدد −5 أصغر من 2" << QStringList{"2", "من", "−", "5", "العدد"};
        QTest::newRow("pi about a fraction") << "استخدم (π ≈ 22/7) في الحساب" << QStringList{"الحساب", "π", "≈", "22", "استخدم"};
        QTest::newRow("a five-line word problem")
            << QStringLiteral("اشترى أحمد 3 كتب ثمن الواحد منها 12 ريالاً، ثم اشترى 4 أقلام ثمن القلم 2 ريال، ودفع للبائع 100 ريال، "
                              "وأعطى أخاه نصف الباقي. كم ريالاً بقي مع أحمد بعد ذلك كله ؟")
            << QStringList{"100", "للبائع"};
        QTest::newRow("an expression longer than a line")
            << "ما ناتج 1234567 + 2345678 + 3456789 + 4567890 + 5678901 + 6789012 + 7890123 + 8901234 ؟" << QStringList{"1234567", "2345678", "ناتج"};
        QTest::newRow("one long number") << "ما ناتج " + QString(60, u'7') + " + 1 ؟" << QStringList{"ناتج"};
    }
    void mathematicsReadsInOrder()
    {
        auto [text, leftToRight] = fetchRow<QString, QStringList>("text", "leftToRight");
        // The question picture's layout, and an answer button's.
        const MathParagraph layouts[] = {QuestionPicture::fit(text), MathParagraph(text, QFont(QStringLiteral("Arial"), 18, QFont::Bold), 900, false)};
        for (const MathParagraph &layout : layouts) {
            QList<qreal> xs;
            for (const QString &token : leftToRight) {
                const std::optional<Drawn> drawn = drawnAt(layout.pieces(), text, token);
                xs << (drawn ? drawn->centreX : -1);
            }
            QVERIFY2(!xs.contains(-1) && std::is_sorted(xs.begin(), xs.end()), qPrintable(leftToRight.join(u' ') + QStringLiteral(" drawn at ") + [&] { QStringList l; for (qreal x : xs) l << QString::number(x); return l.join(u' '); }()));
        }
        // Made smaller until it fits inside the picture's margins, and broken
        // into lines only when it is longer than one.
        QVERIFY(QRectF(0, 0, QuestionPicture::kWidth - 28, QuestionPicture::kHeight - 28).contains(layouts[0].boundingRect()));
        if (text.size() < 30)
            QCOMPARE(layouts[0].lineCount(), 1);
    }

    void nothingIsReordered_data()
    {
        // The corpus: expressions as teachers type them, with the direction
        // each reads in.
        addColumns<QString, bool>("text", "rightToLeft");
        QFile corpus(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/tests/mathlayout/corpus.txt"));
        QVERIFY2(corpus.open(QIODevice::ReadOnly), "the corpus is not where MC_SOURCE_DIR says");
        int rows = 0, rightToLeft = 0;
        for (const QString &line : QString::fromUtf8(corpus.readAll()).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QString text = line.section(u'\t', 1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            const bool rtl = line.startsWith(QStringLiteral("rtl\t"));
            QTest::newRow(qPrintable(QString::number(++rows) + u' ' + text)) << text << rtl;
            rightToLeft += rtl;
        }
        QVERIFY(rows >= 300 && rightToLeft * 2 >= rows - 20);
    }
    void nothingIsReordered()
    {
        auto [text, rightToLeft] = fetchRow<QString, bool>("text", "rightToLeft");
        // Each line of the cell is one expression, whatever symbols it holds,
        // in its direction, and drawn on a line of its own.
        const QStringList lines = text.split(u'\n');
        const QList<MathText::Expression> found = MathText::expressions(text);
        QCOMPARE(found.size(), lines.size());
        for (qsizetype k = 0, at = 0; k < lines.size(); at += lines[k++].size() + 1) {
            QCOMPARE(text.mid(found[k].start, found[k].length), lines[k]);
            QCOMPARE(found[k].rightToLeft, rightToLeft);
            QCOMPARE(found[k].start, at);
        }
        // On a picture and a button, every character of it drawn in its typed
        // order from the left, or from the right: of two pieces, the one
        // typed later is further along unless one stands over the other
        // (a numerator over its denominator).
        for (const MathParagraph &layout : {MathParagraph(text, bodyFont(), 10000, false), QuestionPicture::fit(text)}) {
            QCOMPARE(layout.lineCount(), int(lines.size()));
            std::vector<Drawn> drawn;
            std::vector<qsizetype> sources;
            for (const MathPiece &piece : layout.pieces()) {
                if (piece.kind == MathPiece::Kind::Text && piece.source >= 0) {
                    drawn.push_back(*drawnAt(layout.pieces(), piece.source, piece.text.size()));
                    sources.push_back(piece.source);
                }
            }
            for (size_t a = 0; a < drawn.size(); ++a) {
                for (size_t b = 0; b < drawn.size(); ++b) {
                    const bool stacked = drawn[a].rect.bottom() < drawn[b].rect.top() || drawn[b].rect.bottom() < drawn[a].rect.top();
                    if (sources[a] >= sources[b] || stacked)
                        continue;
                    // A number's parts (a repeating decimal's) read left to
                    // right in either direction.
                    const bool number = text[sources[a]].isDigit() && std::all_of(text.begin() + sources[a], text.begin() + sources[b] + 1, [](QChar c) { return c.isDigit() || QStringView(u".,٫(").contains(c); });
                    const bool inOrder = rightToLeft && !number ? drawn[b].centreX < drawn[a].centreX : drawn[b].centreX > drawn[a].centreX;
                    QVERIFY2(inOrder, qPrintable(QStringLiteral("%1 (at %2) and %3 (at %4)")
                                                     .arg(text.mid(sources[a], 3)).arg(drawn[a].centreX).arg(text.mid(sources[b], 3)).arg(drawn[b].centreX)));
                }
            }
        }
    }

    void onlyNotationIsDrawnAsNotation_data()
    {
        addColumns<QString, bool>("text", "notation");
        QTest::newRow("a fraction") << "7/8" << true;
        QTest::newRow("a mixed number") << "2 1/2" << true;
        QTest::newRow("a vulgar fraction") << "2½" << true;
        QTest::newRow("a power") << "x^2" << true;
        QTest::newRow("a root") << "√3" << true;
        QTest::newRow("a negative number") << "-4" << false;
        QTest::newRow("a bracketed number") << "(-3)" << false;
        QTest::newRow("a percentage") << "25%" << false;
        QTest::newRow("an Arabic answer") << "ثلاثة أرباع" << false;
        QTest::newRow("an escaped slash") << "3\\/4" << false;
        QTest::newRow("an escaped caret") << "2\\^5" << false;
        QTest::newRow("a slash without sides") << "km / h" << false;
        QTest::newRow("a caret at the end") << "2^" << false;
        QTest::newRow("a root of nothing") << "√" << false;
        QTest::newRow("a bracket never closed") << "sqrt(2" << false;
        QTest::newRow("brackets too deep to read") << QString(5000, u'(') + "1/2" + QString(5000, u')') << true;
        QTest::newRow("roots too deep to read") << QString(5000, u'√') + "2" << true;
    }
    void onlyNotationIsDrawnAsNotation()
    {
        auto [text, notation] = fetchRow<QString, bool>("text", "notation");
        QCOMPARE(MathParser::hasNotation(text), notation);
        // Whatever is typed is drawn, every character of it once or in its
        // notation, without a blank lost or an escape shown.
        const MathParagraph caption(text, bodyFont(), 10000, false);
        QVERIFY(!caption.pieces().empty());
        for (const MathPiece &piece : caption.pieces())
            QVERIFY2(!piece.text.contains(u'\\') && (!notation || !piece.text.contains(u'^')), qPrintable(piece.text));
        if (text.contains(u'\\'))
            QVERIFY(std::any_of(caption.pieces().begin(), caption.pieces().end(), [](const MathPiece &p) { return p.text == "/" || p.text == "^"; }));
    }

    void hostileTextIsReadAtOnce_data()
    {
        // Each text, whether it is shown as typed (every character drawn
        // once, no bar or sign drawn), whether it has notation, and whether
        // some of its notation is not read.
        addColumns<QString, bool, bool, bool>("text", "typed", "notation", "unread");
        QRandomGenerator random(20240611);
        const QStringView pieces = u"((([]])^/√∛x2 ½²\\sqrt(root(|_{},.:?!'٣س جا";
        QString mixed;
        while (mixed.size() < 10000)
            mixed += pieces.at(random.bounded(int(pieces.size())));
        QTest::newRow("brackets never closed x30") << QString(30, u'(') + "5" << true << false << true;
        QTest::newRow("brackets never closed x5000") << QString(5000, u'(') + "5" << true << false << true;
        QTest::newRow("round and square never closed x20") << QStringLiteral("([").repeated(20) + "5" << true << false << true;
        QTest::newRow("root( never closed x20") << QStringLiteral("root(").repeated(20) + "5" << true << false << true;
        QTest::newRow("sqrt( never closed x30") << QStringLiteral("sqrt(").repeated(30) + "5" << true << false << true;
        QTest::newRow("a caret before a bracket never closed") << "x^(2" << true << false << true;
        QTest::newRow("the one closed group of many") << QString(5000, u'(') + "1/2)" << false << true << true;
        QTest::newRow("a closing bracket of the other kind") << "[(1/2]" << false << true << true;
        QTest::newRow("a short chain of fractions is stacked") << "1/2/3/4" << false << true << false;
        QTest::newRow("1/1/... x20000") << QStringLiteral("1/").repeated(19999) + "1" << true << false << false;
        QTest::newRow("2^2^... x20000") << QStringLiteral("2^").repeated(19999) + "2" << true << false << false;
        QTest::newRow("x^-2²^-2²... x5000") << "x" + QStringLiteral("^-2²").repeated(5000) << true << false << false;
        QTest::newRow("10 000 characters of notation") << mixed << false << true << true;
        QTest::newRow("10 000 blanks between numbers") << "1" + QString(10000, u' ') + "2" << true << false << false;
        QTest::newRow("bars never closed x5000") << QString(5000, u'|') + "5" << true << false << true;
        QTest::newRow("absolute values nested x5000") << QString(5000, u'|') + "x" + QString(5000, u'|') << true << false << false;
        QTest::newRow("intervals begun x5000") << QStringLiteral("[1, ").repeated(5000) + "2)" << true << false << true;
        QTest::newRow("x_x_... x10000") << QStringLiteral("x_").repeated(10000) + "1" << false << true << false;
        QTest::newRow("repeating decimals x5000") << QStringLiteral("0.(3)").repeated(5000) << false << true << false;
        QTest::newRow("unknowns and Arabic names x3000") << QStringLiteral("جا س = ? ").repeated(3000) << true << false << false;
    }
    void hostileTextIsReadAtOnce()
    {
        auto [text, typed, notation, unread] = fetchRow<QString, bool, bool, bool>("text", "typed", "notation", "unread");
        const Watchdog watchdog(std::chrono::seconds(20), QTest::currentDataTag());
        const MathNode node = MathParser::parse(text);
        const std::function<int(const MathNode &)> height = [&](const MathNode &n) {
            int h = 0;
            for (const MathNode &child : n.children)
                h = std::max(h, height(child));
            return h + 1;
        };
        QVERIFY2(height(node) <= MathParser::kMaxHeight, qPrintable(QString::number(height(node))));
        QCOMPARE(MathParser::hasNotation(text), notation);
        QCOMPARE(!MathText::unreadNotation(text).isEmpty(), unread);
        // Laid out as a question's text and as an answer's caption, and
        // painted, on a picture and on a button.
        QImage image(900, 260, QImage::Format_RGB32);
        QPainter painter(&image);
        AnswerButton button;
        button.resize(600, 38);
        button.setText(text);
        button.render(&painter);
        for (const MathParagraph &layout : {MathParagraph(text, bodyFont(), QuestionPicture::kWidth, true), MathParagraph(text, bodyFont(), 600, false)}) {
            layout.paint(painter, QPointF(0, 0));
            QString shown(text.size(), u' ');
            for (const MathPiece &piece : layout.pieces()) {
                if (piece.kind == MathPiece::Kind::Text && piece.source >= 0)
                    shown.replace(piece.source, piece.text.size(), piece.text);
                else
                    shown += u'•';
            }
            QVERIFY2((shown == text) == typed, qPrintable(shown.left(80)));
        }
    }

    void answerButtonsDrawTheirNotation_data()
    {
        // A caption, and one of the same characters without notation.
        addColumns<QString, QString>("caption", "plain");
        QTest::newRow("a fraction") << "7/8" << "78";
        QTest::newRow("a mixed number") << "2 1/2" << "212";
    }
    void answerButtonsDrawTheirNotation()
    {
        auto [caption, plain] = fetchRow<QString, QString>("caption", "plain");
        // The height of the ink of a caption on a button of the quiz window's
        // size, and whether all of it stands inside the bevel.
        auto ink = [](const QString &text) {
            AnswerButton button;
            button.setLayoutDirection(Qt::RightToLeft);
            button.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
            button.resize(600, 38);
            button.setText(text);
            const QImage image = button.grab().toImage();
            int top = image.height(), bottom = -1;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 2; x < image.width() - 2; ++x) {
                    if (qGray(image.pixel(x, y)) < 60 && y > 1 && y < image.height() - 2) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            }
            return std::pair(bottom - top + 1, top >= 2 && bottom <= image.height() - 3);
        };
        const auto [notationHeight, inside] = ink(caption);
        const auto [plainHeight, plainInside] = ink(plain);
        QVERIFY2(notationHeight > plainHeight * 1.4, "stacked, not in a line");
        QVERIFY2(inside && plainInside, "fitted to the button");
    }

    void picturesShowAtTheirSize_data()
    {
        addColumns<qreal, QSize>("density", "shown");
        QTest::newRow("made by the bank tool") << qreal(QuestionPicture::kDensity) << QSize(450, 130);
        QTest::newRow("given, without a density") << qreal(0) << QSize(900, 260);
        QTest::newRow("a density out of range is not ours") << qreal(40) << QSize(900, 260);
    }
    void picturesShowAtTheirSize()
    {
        auto [density, shown] = fetchRow<qreal, QSize>("density", "shown");
        QTemporaryDir dir;
        QImage image = density == QuestionPicture::kDensity ? QuestionPicture::render(QStringLiteral("ما ناتج 3/4 + 1/8 ؟")) : QImage(900, 260, QImage::Format_RGB32);
        if (density != QuestionPicture::kDensity) {
            image.fill(Qt::white);
            if (density > 0)
                image.setText(QString::fromLatin1(Picture::kDensityKey), QString::number(density));
        }
        QCOMPARE(image.size(), QSize(900, 260));
        const QString path = dir.filePath(QStringLiteral("1.jpg"));
        QVERIFY(image.save(path, "JPEG"));
        QCOMPARE(Picture::verify(path), shown);
        PictureBox box;
        box.setPicture(Picture::load(path));
        QCOMPARE(box.size(), shown + QSize(2, 2));
        // Decoded for a screen of a pixel a unit, whole or a part at a time
        // from its checked file, it has the same size and the same pixels.
        const QImage window = Picture::load(path, QString(), 1).toImage().convertToFormat(QImage::Format_RGB32);
        const QByteArray file = Picture::compressed(path);
        QCOMPARE(window.deviceIndependentSize().toSize(), shown);
        QCOMPARE(Picture::shownSize(file), shown);
        const QRect part(151, 21, 289, 89);
        QCOMPARE(Picture::part(file, part, 1).convertToFormat(QImage::Format_RGB32), window.copy(part));
        // The quiz window's own pictures are made at the same density.
        QCOMPARE(QuestionPicture::placeholder().deviceIndependentSize().toSize(), QSize(450, 130));
        QCOMPARE(QuestionPicture::questionButtonFace().size(), QSize(208, 114));
    }
};

MC_TEST_MAIN(TestMathLayout)
#include "tst_mathlayout.moc"
