#include "mathparagraph.h"

#include "mathlayout.h"
#include "mathparser.h"
#include "mathtext.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace {

// A piece of a line that is never broken: a word, a number, or an
// expression (or, when one is wider than a line, a part of it).
struct Atom {
    std::vector<MathPiece> pieces;
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    bool spaceBefore = false; // a blank stands before it in the text
    bool breakBefore = false; // a line may start with it
    bool newLine = false; // a new line of the text starts with it
    // Parts of one left-to-right expression, set left to right beside each
    // other when they share a line; -1 for the rest.
    int group = -1;
};

class Builder {
public:
    Builder(const QString &text, const QFont &font, qreal width, bool wrap, bool linear)
        : m_text(text), m_font(font), m_metrics(font), m_width(width), m_wrap(wrap), m_linear(linear)
    {
    }

    std::vector<Atom> atoms()
    {
        qsizetype done = 0;
        int group = 0;
        for (const MathText::Expression &e : MathText::expressions(m_text)) {
            prose(done, e.start);
            expression(e.start, e.length, e.rightToLeft, group++);
            done = e.start + e.length;
        }
        prose(done, m_text.size());
        return std::move(m_atoms);
    }

    bool notation = false;

private:
    void push(Atom atom, qsizetype start)
    {
        atom.spaceBefore = start > 0 && m_text[start - 1] == u' ';
        atom.breakBefore = atom.spaceBefore;
        atom.newLine = std::exchange(m_newLine, false) && !m_atoms.empty();
        m_atoms.push_back(std::move(atom));
    }

    Atom word(const QString &characters, qsizetype source, bool rightToLeft)
    {
        Atom atom;
        MathPiece piece;
        piece.text = characters;
        piece.font = m_font;
        piece.width = m_metrics.horizontalAdvance(characters);
        piece.rightToLeft = rightToLeft;
        piece.source = source;
        atom.width = piece.width;
        atom.ascent = m_metrics.ascent();
        atom.descent = m_metrics.descent();
        atom.pieces.push_back(std::move(piece));
        return atom;
    }

    // A word, or, when it alone is wider than a line, its characters in as
    // few pieces as fit, each one able to start a line.
    void words(const QString &characters, qsizetype source, bool rightToLeft, int group)
    {
        Atom whole = word(characters, source, rightToLeft);
        if (!m_wrap || whole.width <= m_width) {
            whole.group = group;
            push(std::move(whole), source);
            return;
        }
        // Broken where a text layout of the whole word breaks it anywhere:
        // shaped once, however long it is.
        QTextLayout lines(characters, m_font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAnywhere);
        lines.setTextOption(option);
        lines.beginLayout();
        bool first = true;
        for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
            line.setLineWidth(m_width);
            const qsizetype from = line.textStart();
            if (line.textLength() == 0)
                continue;
            Atom part = word(characters.mid(from, line.textLength()), source + from, rightToLeft);
            part.group = group;
            push(std::move(part), source + from);
            if (!first)
                m_atoms.back().breakBefore = true;
            first = false;
        }
        lines.endLayout();
    }

    void prose(qsizetype from, qsizetype to)
    {
        qsizetype i = from;
        while (i < to) {
            if (m_text[i] == u' ' || m_text[i] == u'\n' || m_text[i] == u'\r') {
                m_newLine = m_newLine || m_text[i] == u'\n';
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < to && m_text[end] != u' ' && m_text[end] != u'\n' && m_text[end] != u'\r')
                ++end;
            words(m_text.mid(i, end - i), i, true, -1);
            i = end;
        }
    }

    // The expression at [start, start + length) laid out alone; notation is
    // set to whether it is written in notation.
    Atom laidOut(qsizetype start, qsizetype length, bool rightToLeft, int group, bool &inNotation)
    {
        const MathNode node = MathParser::parse(m_text, start, length);
        inNotation = node.hasNotation();
        notation = notation || inNotation;
        const MathLayout layout(node, m_font, rightToLeft, m_linear);
        Atom atom;
        atom.pieces = layout.pieces();
        atom.width = layout.width();
        atom.ascent = std::max(layout.ascent(), m_metrics.ascent());
        atom.descent = std::max(layout.descent(), m_metrics.descent());
        atom.group = rightToLeft ? -1 : group;
        return atom;
    }

    void expression(qsizetype start, qsizetype length, bool rightToLeft, int group)
    {
        bool wholeInNotation = false;
        Atom whole = laidOut(start, length, rightToLeft, group, wholeInNotation);
        if (!m_wrap || whole.width <= m_width) {
            push(std::move(whole), start);
            return;
        }
        // Wider than a line: its parts between blanks outside groups, each
        // laid out alone, and a part with no notation that is still too wide
        // broken as a word.
        const std::vector<qsizetype> partner = MathParser::bracketPartners(m_text, start, length);
        qsizetype from = start;
        for (qsizetype i = start; i <= start + length; ++i) {
            if (i < start + length && partner[size_t(i - start)] > i) {
                i = partner[size_t(i - start)];
                continue;
            }
            if (i < start + length && m_text[i] != u' ')
                continue;
            if (i > from) {
                // Without a blank to break at, the part is the whole.
                bool inNotation = wholeInNotation;
                Atom part = from == start && i == start + length ? std::move(whole) : laidOut(from, i - from, rightToLeft, group, inNotation);
                if (part.width > m_width && !inNotation)
                    words(m_text.mid(from, i - from), from, rightToLeft, rightToLeft ? -1 : group);
                else
                    push(std::move(part), from);
            }
            from = i + 1;
        }
    }

    const QString &m_text;
    const QFont &m_font;
    QFontMetricsF m_metrics;
    const qreal m_width;
    const bool m_wrap;
    const bool m_linear;
    std::vector<Atom> m_atoms;
    bool m_newLine = false; // a new line of the text was passed
};

} // namespace

MathParagraph::MathParagraph(const QString &text, const QFont &font, qreal width, bool wrap, bool linear)
{
    Builder builder(text, font, width, wrap, linear);
    std::vector<Atom> atoms = builder.atoms();
    m_notation = builder.notation;
    const QFontMetricsF metrics(font);
    const qreal space = metrics.horizontalAdvance(u' ');

    // Lines, filled greedily; an atom that cannot start a line takes the
    // atoms it is joined to onto the next line with it.
    std::vector<std::vector<size_t>> lines(1);
    auto widthOf = [&](const std::vector<size_t> &line) {
        qreal w = 0;
        for (size_t k = 0; k < line.size(); ++k)
            w += atoms[line[k]].width + (k > 0 && atoms[line[k]].spaceBefore ? space : 0);
        return w;
    };
    for (size_t a = 0; a < atoms.size(); ++a) {
        if (atoms[a].newLine)
            lines.emplace_back();
        std::vector<size_t> &line = lines.back();
        line.push_back(a);
        if (!wrap || line.size() == 1 || widthOf(line) <= width)
            continue;
        // Back to the last place the line may break.
        size_t cut = line.size() - 1;
        while (cut > 0 && !atoms[line[cut]].breakBefore)
            --cut;
        if (cut == 0)
            continue;
        std::vector<size_t> next(line.begin() + qsizetype(cut), line.end());
        line.resize(cut);
        lines.push_back(std::move(next));
    }

    qreal y = 0, widest = 0;
    for (const std::vector<size_t> &line : lines) {
        qreal ascent = metrics.ascent(), descent = metrics.descent();
        for (size_t a : line) {
            ascent = std::max(ascent, atoms[a].ascent);
            descent = std::max(descent, atoms[a].descent);
        }
        const qreal lineWidth = widthOf(line);
        widest = std::max(widest, lineWidth);
        // Right to left: from the line's right end, each atom to the left of
        // the one before it, except that the parts of one left-to-right
        // expression stand left to right among themselves.
        qreal right = (width + lineWidth) / 2;
        for (size_t k = 0; k < line.size();) {
            size_t end = k + 1;
            while (atoms[line[k]].group >= 0 && end < line.size() && atoms[line[end]].group == atoms[line[k]].group)
                ++end;
            qreal clusterWidth = 0;
            for (size_t j = k; j < end; ++j)
                clusterWidth += atoms[line[j]].width + (j > k && atoms[line[j]].spaceBefore ? space : 0);
            if (k > 0 && atoms[line[k]].spaceBefore)
                right -= space;
            qreal x = right - clusterWidth;
            for (size_t j = k; j < end; ++j) {
                if (j > k && atoms[line[j]].spaceBefore)
                    x += space;
                for (MathPiece piece : atoms[line[j]].pieces) {
                    const QPointF by(x, y + ascent);
                    piece.at += by;
                    piece.line.translate(by);
                    piece.path.translate(by);
                    m_pieces.push_back(std::move(piece));
                }
                x += atoms[line[j]].width;
            }
            right -= clusterWidth;
            k = end;
        }
        y += ascent + descent;
    }
    m_lines = int(lines.size());
    m_widest = widest;
    m_fits = widest <= width + 0.01;
    m_bounds = QRectF(std::min(0.0, (width - widest) / 2), 0, std::max(width, widest), y);
}

void MathParagraph::paint(QPainter &painter, QPointF topLeft) const
{
    MathLayout::paintPieces(painter, m_pieces, topLeft);
}
