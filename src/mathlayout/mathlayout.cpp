#include "mathlayout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <map>

namespace {

using Kind = MathNode::Kind;

// Brackets around what is taller than this many digits' heights (a fraction,
// a raised exponent) are drawn as tall as it.
constexpr qreal kTallContent = 1.6;

// Laid-out part of an expression: from its left on its baseline.
struct Box {
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    std::vector<MathPiece> pieces;

    void place(Box &&child, qreal x, qreal y)
    {
        for (MathPiece &piece : child.pieces) {
            const QPointF by(x, y);
            piece.at += by;
            piece.line.translate(by);
            piece.path.translate(by);
            pieces.push_back(std::move(piece));
        }
    }
};

bool isLatin(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); });
}

// The character a textbook prints for one typed: a true minus for the
// hyphen, a times sign for the star, a prime for the apostrophe.
QString shown(const QString &text)
{
    if (text.size() != 1)
        return text;
    switch (text[0].unicode()) {
    case u'-': return QStringLiteral("\u2212");
    case u'*': return QStringLiteral("×");
    case u'\'': return QStringLiteral("′");
    default: return text;
    }
}

bool hasArabic(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Arabic && c.isLetter(); });
}

class Setter {
public:
    Setter(const QFont &font, bool rightToLeft, bool linear)
        : m_font(font), m_rightToLeft(rightToLeft), m_linear(linear)
    {
    }

    Box lay(const MathNode &node, qreal scale)
    {
        switch (node.kind) {
        case Kind::Text: return text(shown(node.text), node.source, scale, node.role == MathNode::Role::Variable && isLatin(node.text));
        case Kind::Row: return row(node, scale);
        case Kind::Fraction: return fraction(node, scale);
        case Kind::Power: return power(node, scale);
        case Kind::Root: return root(node, scale);
        case Kind::Fence: return fence(node, scale);
        case Kind::Subscript: return subscript(node, scale);
        case Kind::Overline: return overline(node, scale);
        }
        return {};
    }

private:
    // A text's advance and the ink above and below its baseline.
    struct Measure {
        qreal width, ascent, descent;
    };
    struct Face {
        QFont font;
        QFontMetricsF metrics;
        qreal size;
        qreal digitHeight; // the ink of a digit above the baseline
        qreal blank = -1; // the advance of a blank, once asked for
        // The texts measured in it: an expression repeats its numbers and
        // operators, and a long one would measure them thousands of times.
        QHash<QString, Measure> measured;
    };

    // The face of scale; italic: slanted, for a Latin variable; eastern: the
    // one Eastern Arabic digits are set in, made larger by as much as the
    // font behind the text draws them smaller than Western ones, so that both
    // kinds stand as tall.
    Face &face(qreal scale, bool italic = false, bool eastern = false)
    {
        const int key = qRound(scale * 1000) * 4 + (eastern ? 1 : 0) + (italic ? 2 : 0);
        auto it = m_faces.find(key);
        if (it == m_faces.end()) {
            if (italic) {
                // The upright face's measures, slanted: its digits' height.
                const Face &upright = face(scale, false, eastern);
                QFont font = upright.font;
                font.setItalic(true);
                return m_faces.emplace(key, Face{font, QFontMetricsF(font), upright.size, upright.digitHeight, -1, {}}).first->second;
            }
            QFont font = m_font;
            qreal size;
            if (m_font.pixelSize() > 0) {
                font.setPixelSize(std::max(6, qRound(m_font.pixelSize() * scale)));
                size = font.pixelSize();
            } else {
                font.setPointSizeF(std::max(5.0, m_font.pointSizeF() * scale));
                size = QFontMetricsF(font).height() / 1.3;
            }
            if (eastern) {
                const qreal grow = std::clamp(inkHeight(font, QStringLiteral("23")) / std::max(1.0, inkHeight(font, QStringLiteral("\u0662\u0663"))), 1.0, 1.5);
                if (font.pixelSize() > 0)
                    font.setPixelSize(qRound(font.pixelSize() * grow));
                else
                    font.setPointSizeF(font.pointSizeF() * grow);
            }
            const QFontMetricsF metrics(font);
            it = m_faces.emplace(key, Face{font, metrics, size, -metrics.tightBoundingRect(QStringLiteral("0")).top(), -1, {}}).first;
        }
        return it->second;
    }
    // The height of the ink of text as drawn, with the fonts behind font.
    static qreal inkHeight(const QFont &font, const QString &text)
    {
        QPainterPath path;
        path.addText(0, 0, font, text);
        return path.boundingRect().height();
    }
    // The height of the mathematical axis above the baseline (where a minus
    // sign, and a fraction's bar, stand), and the height of a digit.
    qreal axis(qreal scale) { return face(scale).metrics.strikeOutPos() + thickness(scale) / 2; }
    qreal digitHeight(qreal scale) { return face(scale).digitHeight; }
    qreal thickness(qreal scale) { return std::max(1.0, face(scale).size * 0.06); }

    Box text(const QString &characters, qsizetype source, qreal scale, bool italic = false)
    {
        const bool eastern = std::any_of(characters.begin(), characters.end(), [](QChar c) { return c >= u'\u0660' && c <= u'\u0669'; });
        Face &f = face(scale, italic, eastern);
        auto known = f.measured.constFind(characters);
        if (known == f.measured.cend()) {
            // The metrics' ink of a character from a font behind this one
            // is not the ink drawn: Eastern digits are measured as drawn.
            QPainterPath drawn;
            if (eastern)
                drawn.addText(0, 0, f.font, characters);
            const QRectF ink = eastern ? drawn.boundingRect() : f.metrics.tightBoundingRect(characters);
            // A slanted letter leans over its advance: room for its top.
            const qreal lean = italic ? f.size * 0.03 : 0;
            known = f.measured.insert(characters, Measure{f.metrics.horizontalAdvance(characters) + lean, std::max(digitHeight(scale), -ink.top()), std::max(0.0, ink.bottom())});
        }
        Box box;
        box.width = known->width;
        box.ascent = known->ascent;
        box.descent = known->descent;
        if (characters.trimmed().isEmpty())
            return box;
        MathPiece piece;
        piece.text = characters;
        piece.font = f.font;
        piece.width = box.width;
        piece.rightToLeft = hasArabic(characters);
        piece.source = source;
        box.pieces.push_back(std::move(piece));
        return box;
    }

    // Whether a node is, or begins with, a function's name (sin, جا^٢).
    static bool isFunction(const MathNode &node)
    {
        if (node.kind == Kind::Power || node.kind == Kind::Subscript)
            return isFunction(node.children[0]);
        return node.kind == Kind::Text && node.role == MathNode::Role::Function;
    }
    static bool isBlank(const MathNode &node) { return node.kind == Kind::Text && node.text == QStringLiteral(" "); }

    Box row(const MathNode &node, qreal scale)
    {
        Box box;
        box.ascent = digitHeight(scale);
        // The blank a teacher would have typed around an operator, and after
        // a function's name, where none was typed.
        Face &f = face(scale);
        if (f.blank < 0)
            f.blank = f.metrics.horizontalAdvance(u' ');
        const qreal blank = f.blank;
        const size_t n = node.children.size();
        for (size_t k = 0; k < n; ++k) {
            const MathNode &child = node.children[k];
            const bool spaced = child.kind == Kind::Text && child.role == MathNode::Role::Operator;
            if (spaced && k > 0 && !isBlank(node.children[k - 1]))
                box.width += blank;
            // In a line, a mixed number keeps a blank between its whole
            // number and its fraction: 3 3/4, not 33/4.
            if (m_linear && child.kind == Kind::Fraction && k > 0) {
                const MathNode &before = node.children[k - 1];
                if (before.kind == Kind::Text && !before.text.isEmpty() && before.text.back().isDigit())
                    box.width += blank;
            }
            Box part = lay(child, scale);
            box.ascent = std::max(box.ascent, part.ascent);
            box.descent = std::max(box.descent, part.descent);
            const qreal width = part.width;
            box.place(std::move(part), box.width, 0);
            box.width += width;
            if (k + 1 < n && !isBlank(node.children[k + 1])) {
                if (spaced)
                    box.width += blank;
                else if (isFunction(child) && node.children[k + 1].kind != Kind::Fence)
                    box.width += blank;
            }
        }
        return box;
    }

    // Whether a side of a fraction set in the line needs brackets to keep
    // its meaning: it holds a blank, an operator or a fraction.
    static bool needsBrackets(const MathNode &node)
    {
        switch (node.kind) {
        case Kind::Text:
            return std::any_of(node.text.begin(), node.text.end(), [](QChar c) { return !c.isLetterOrNumber() && c != u'.' && c != u'\u066B'; });
        case Kind::Row:
            return std::any_of(node.children.begin(), node.children.end(), [](const MathNode &child) { return child.kind == Kind::Fraction || needsBrackets(child); });
        case Kind::Fraction: return true;
        default: return false;
        }
    }

    Box linearFraction(const MathNode &node, qreal scale)
    {
        MathNode row = MathNode::make(Kind::Row, {});
        for (size_t i = 0; i < 2; ++i) {
            if (i == 1)
                row.children.push_back(MathNode::makeText(QStringLiteral("/"), -1));
            const MathNode &side = node.children[i];
            row.children.push_back(needsBrackets(side) ? MathNode::make(Kind::Fence, {side}, QStringLiteral("()")) : side);
        }
        return this->row(row, scale);
    }

    Box subscript(const MathNode &node, qreal scale)
    {
        Box base = lay(node.children[0], scale);
        Box index = lay(node.children[1], std::max(0.3, scale * MathLayout::kExponentScale));
        const qreal drop = std::max(digitHeight(scale) * 0.3, index.ascent - digitHeight(scale) * 0.55);
        Box box;
        box.width = base.width + index.width;
        box.ascent = std::max(base.ascent, index.ascent - drop);
        box.descent = std::max(base.descent, index.descent + drop);
        const qreal baseWidth = base.width;
        box.place(std::move(base), 0, 0);
        box.place(std::move(index), baseWidth, drop);
        return box;
    }

    // A decimal with its repeating digits under a bar. A number reads left
    // to right in either direction: right to left, its parts are set in
    // the mirror of their order, which the mirroring turns back.
    Box overline(const MathNode &node, qreal scale)
    {
        Box digits = lay(node.children[0], scale);
        Box repeating = lay(node.children[1], scale);
        const qreal t = thickness(scale), y = -repeating.ascent - face(scale).size * 0.1;
        Box box;
        box.width = digits.width + repeating.width;
        box.ascent = std::max(digits.ascent, -y + t);
        box.descent = std::max(digits.descent, repeating.descent);
        const qreal at = m_rightToLeft ? 0 : digits.width, rw = repeating.width;
        MathPiece line;
        line.kind = MathPiece::Kind::Line;
        line.line = QLineF(at, y, at + rw, y);
        line.thickness = t;
        box.pieces.push_back(line);
        box.place(std::move(digits), m_rightToLeft ? rw : 0, 0);
        box.place(std::move(repeating), at, 0);
        return box;
    }

    static bool holdsFraction(const MathNode &node)
    {
        return node.kind == Kind::Fraction
            || (node.kind == Kind::Row && std::any_of(node.children.begin(), node.children.end(), [](const MathNode &c) { return c.kind == Kind::Fraction; }));
    }

    Box fraction(const MathNode &node, qreal scale)
    {
        if (m_linear)
            return linearFraction(node, scale);
        const qreal inner = std::max(0.45, scale * MathLayout::kFractionScale);
        Box numerator = lay(node.children[0], inner);
        Box denominator = lay(node.children[1], inner);
        const qreal size = face(scale).size;
        // The main bar of a fraction of fractions reaches well past the
        // inner ones.
        const bool complex = holdsFraction(node.children[0]) || holdsFraction(node.children[1]);
        const qreal pad = size * (complex ? 0.5 : 0.12), gap = size * 0.12, bar = thickness(scale), y = -axis(scale);
        Box box;
        box.width = std::max(numerator.width, denominator.width) + 2 * pad;
        box.ascent = -y + bar / 2 + gap + numerator.descent + numerator.ascent;
        box.descent = y + bar / 2 + gap + denominator.ascent + denominator.descent;
        MathPiece line;
        line.kind = MathPiece::Kind::Line;
        line.line = QLineF(pad / 2, y, box.width - pad / 2, y);
        line.thickness = bar;
        box.pieces.push_back(line);
        const qreal nw = numerator.width, dw = denominator.width;
        const qreal numeratorBaseline = y - bar / 2 - gap - numerator.descent;
        const qreal denominatorBaseline = y + bar / 2 + gap + denominator.ascent;
        box.place(std::move(numerator), (box.width - nw) / 2, numeratorBaseline);
        box.place(std::move(denominator), (box.width - dw) / 2, denominatorBaseline);
        return box;
    }

    Box power(const MathNode &node, qreal scale)
    {
        Box base = lay(node.children[0], scale);
        Box exponent = lay(node.children[1], std::max(0.3, scale * MathLayout::kExponentScale));
        const qreal shift = std::max(base.ascent * 0.55, base.ascent - exponent.ascent * 0.5);
        const qreal kern = face(scale).size * 0.04;
        Box box;
        box.width = base.width + kern + exponent.width;
        box.ascent = std::max(base.ascent, shift + exponent.ascent);
        box.descent = std::max(base.descent, exponent.descent - shift);
        const qreal baseWidth = base.width;
        box.place(std::move(base), 0, 0);
        box.place(std::move(exponent), baseWidth + kern, -shift);
        return box;
    }

    Box root(const MathNode &node, qreal scale)
    {
        Box radicand = lay(node.children[0], scale);
        const qreal size = face(scale).size;
        const qreal t = thickness(scale), gap = size * 0.12, pad = size * 0.08;
        const qreal top = -(radicand.ascent + gap + t / 2), bottom = radicand.descent + size * 0.04;
        const qreal sign = size * 0.5, mid = top + (bottom - top) * 0.6;
        Box index;
        qreal left = 0;
        if (node.children.size() > 1) {
            index = lay(node.children[1], std::max(0.35, scale * MathLayout::kIndexScale));
            left = std::max(0.0, index.width - sign * 0.45);
        }
        Box box;
        QPainterPath path(QPointF(left, mid));
        path.lineTo(left + sign * 0.22, mid - size * 0.06);
        path.lineTo(left + sign * 0.55, bottom);
        path.lineTo(left + sign, top);
        path.lineTo(left + sign + pad + radicand.width + pad, top);
        MathPiece piece;
        piece.kind = MathPiece::Kind::Path;
        piece.path = path;
        piece.thickness = t;
        box.pieces.push_back(piece);
        box.width = left + sign + 2 * pad + radicand.width + t;
        box.ascent = -top + t;
        box.descent = bottom + t / 2;
        const qreal radicandWidth = radicand.width;
        box.place(std::move(radicand), left + sign + pad, 0);
        Q_UNUSED(radicandWidth);
        if (node.children.size() > 1) {
            const qreal indexBaseline = mid - size * 0.1 - index.descent;
            box.ascent = std::max(box.ascent, -indexBaseline + index.ascent);
            box.place(std::move(index), left + sign * 0.45 - index.width, indexBaseline);
        }
        return box;
    }

    Box fence(const MathNode &node, qreal scale)
    {
        Box content = lay(node.children[0], scale);
        const Face &f = face(scale);
        const QChar open = node.text[0], close = node.text[1];
        Box box;
        if (content.ascent + content.descent <= digitHeight(scale) * kTallContent) {
            // As tall as a number: the font's own brackets.
            Box left = text(QString(open), node.source, scale), right = text(QString(close), node.closeSource, scale);
            box.ascent = std::max({left.ascent, content.ascent, right.ascent});
            box.descent = std::max({left.descent, content.descent, right.descent});
            const qreal lw = left.width, cw = content.width, rw = right.width;
            box.place(std::move(left), 0, 0);
            box.place(std::move(content), lw, 0);
            box.place(std::move(right), lw + cw, 0);
            box.width = lw + cw + rw;
            return box;
        }
        // Taller: drawn, from above the content to below it.
        const qreal t = thickness(scale) * 1.3, w = f.size * 0.32, over = f.size * 0.06;
        const qreal top = -content.ascent - over, bottom = content.descent + over;
        auto bracket = [&](qreal x0, qreal x1) {
            QPainterPath path;
            if (open == u'(') {
                path.moveTo(x1, top);
                path.quadTo(x0, (top + bottom) / 2, x1, bottom);
            } else if (open == u'|') {
                path.moveTo((x0 + x1) / 2, top);
                path.lineTo((x0 + x1) / 2, bottom);
            } else if (open == u'{') {
                const qreal middle = (top + bottom) / 2, xm = (x0 + x1) / 2;
                path.moveTo(x1, top);
                path.quadTo(xm, top, xm, top + (middle - top) * 0.3);
                path.lineTo(xm, middle - (middle - top) * 0.2);
                path.quadTo(xm, middle, x0, middle);
                path.quadTo(xm, middle, xm, middle + (bottom - middle) * 0.2);
                path.lineTo(xm, bottom - (bottom - middle) * 0.3);
                path.quadTo(xm, bottom, x1, bottom);
            } else {
                path.moveTo(x1, top);
                path.lineTo(x0, top);
                path.lineTo(x0, bottom);
                path.lineTo(x1, bottom);
            }
            MathPiece piece;
            piece.kind = MathPiece::Kind::Path;
            piece.path = path;
            piece.thickness = t;
            return piece;
        };
        box.pieces.push_back(bracket(w * 0.3, w * 0.8));
        const qreal cw = content.width;
        box.place(std::move(content), w, 0);
        MathPiece right = bracket(w * 0.7, w * 0.2);
        right.path.translate(w + cw, 0);
        box.pieces.push_back(right);
        box.width = 2 * w + cw;
        box.ascent = -top + t;
        box.descent = bottom + t;
        return box;
    }

    QFont m_font;
    bool m_rightToLeft;
    bool m_linear;
    std::map<int, Face> m_faces;
};

// The character a right-to-left expression shows for one that is mirrored in
// right-to-left text.
QString mirrored(const QString &text)
{
    if (text.size() != 1)
        return text;
    const QChar c = text[0];
    const QChar m = c.mirroredChar();
    return c.hasMirrored() ? QString(m) : text;
}

} // namespace

MathLayout::MathLayout(const MathNode &expression, const QFont &font, bool rightToLeft, bool linear)
{
    Setter setter(font, rightToLeft, linear);
    Box box = setter.lay(expression, 1.0);
    m_width = box.width;
    m_ascent = box.ascent;
    m_descent = box.descent;
    m_pieces = std::move(box.pieces);
    if (!rightToLeft)
        return;
    const QTransform mirror(-1, 0, 0, 1, m_width, 0);
    for (MathPiece &piece : m_pieces) {
        switch (piece.kind) {
        case MathPiece::Kind::Text:
            piece.at.setX(m_width - piece.at.x() - piece.width);
            piece.text = mirrored(piece.text);
            break;
        case MathPiece::Kind::Line:
            piece.line = mirror.map(piece.line);
            break;
        case MathPiece::Kind::Path:
            piece.path = mirror.map(piece.path);
            break;
        }
    }
}

void MathLayout::paint(QPainter &painter, QPointF origin) const
{
    paintPieces(painter, m_pieces, origin);
}

void MathLayout::paintPieces(QPainter &painter, const std::vector<MathPiece> &pieces, QPointF origin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = painter.pen().color();
    for (const MathPiece &piece : pieces) {
        switch (piece.kind) {
        case MathPiece::Kind::Text:
            painter.setFont(piece.font);
            painter.setLayoutDirection(piece.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            painter.drawText(piece.at + origin, piece.text);
            break;
        case MathPiece::Kind::Line:
            painter.setPen(QPen(ink, piece.thickness, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(piece.line.translated(origin));
            break;
        case MathPiece::Kind::Path:
            painter.setPen(QPen(ink, piece.thickness, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(piece.path.translated(origin));
            break;
        }
        painter.setPen(ink);
    }
    painter.restore();
}
