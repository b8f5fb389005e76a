#pragma once

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>
#include <QString>

#include <memory>

// A PDF of A4 pages being written: a painter in points (1/72 inch) over the
// page inside its margins, right to left, a pen that moves down the page and
// turns it when what comes does not fit, and the file put in place whole
// when done (RegularFile::write). Where it may be written is for the caller
// to check (BankExport::refuseToWrite gives the path to write).
class PdfPages {
public:
    static constexpr qreal kWidth = 595 - 2 * 42;  // A4, inside the margins
    static constexpr qreal kHeight = 842 - 2 * 42;

    PdfPages(const QString &path, const QString &title);
    ~PdfPages();

    QPainter &painter() { return m_painter; }
    // Where the next thing goes, from the top of the page's inside.
    qreal y() const { return m_y; }
    void advance(qreal height) { m_y += height; }
    // Turns the page when height does not fit below y().
    void need(qreal height);
    void newPage();
    int pages() const { return m_pages; }

    // A line of text at y(), right-aligned (or centred) across the page,
    // moving y() down by its height.
    void line(const QString &text, const QFont &font, Qt::Alignment alignment = Qt::AlignRight);

    // The font of the pages, at size points.
    static QFont font(qreal points, bool bold = false);

    // Ends the last page and puts the file in place. Throws a Failure.
    void finish();

private:
    QString m_path;
    QByteArray m_bytes;
    QBuffer m_file{&m_bytes};
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    qreal m_y = 0;
    int m_pages = 1;
    bool m_finished = false;
};
