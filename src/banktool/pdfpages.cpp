#include "pdfpages.h"

#include "failure.h"
#include "regularfile.h"
#include "translation.h"

#include <QCoreApplication>
#include <QPageLayout>

namespace {
constexpr qreal kMargin = 42;
constexpr int kResolution = 300;
} // namespace

PdfPages::PdfPages(const QString &path, const QString &title)
    : m_path(path)
{
    m_file.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("mathcontest"));
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    if (!m_painter.begin(m_writer.get()))
        throw Failure(QCoreApplication::translate("PdfPages", "The PDF file could not be written."), path,
                      QCoreApplication::translate("PdfPages", "Make sure the folder can be written to and the disk is not full."));
    m_painter.scale(kResolution / 72.0, kResolution / 72.0);
    m_painter.translate(kMargin, kMargin);
    m_painter.setLayoutDirection(Qt::RightToLeft);
    m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

PdfPages::~PdfPages()
{
    // Unfinished, the file is never put in place.
    if (!m_finished)
        m_painter.end();
}

void PdfPages::need(qreal height)
{
    if (m_y > 0 && m_y + height > kHeight)
        newPage();
}

void PdfPages::newPage()
{
    m_writer->newPage();
    ++m_pages;
    m_y = 0;
}

QFont PdfPages::font(qreal points, bool bold)
{
    // The painter draws in points, so a pixel of the font is a point.
    QFont f(QStringLiteral("Noto Naskh Arabic"));
    f.setPixelSize(qRound(points));
    f.setBold(bold);
    return f;
}

void PdfPages::line(const QString &text, const QFont &font, Qt::Alignment alignment)
{
    m_painter.setFont(font);
    const qreal height = QFontMetricsF(font).height();
    need(height);
    m_painter.drawText(QRectF(0, m_y, kWidth, height), int(alignment | Qt::AlignAbsolute | Qt::AlignVCenter), text);
    m_y += height;
}

void PdfPages::finish()
{
    const bool ended = m_painter.end();
    m_finished = true;
    m_writer.reset();
    if (!ended)
        throw Failure(QCoreApplication::translate("PdfPages", "The PDF file could not be written."), m_path,
                      QCoreApplication::translate("PdfPages", "Make sure the folder can be written to and the disk is not full."));
    const QString failed = RegularFile::write(m_path, m_bytes);
    if (!failed.isEmpty())
        throw Failure(QCoreApplication::translate("PdfPages", "The PDF file could not be written: %1.").arg(Translation::isolate(failed)), m_path,
                      QCoreApplication::translate("PdfPages", "Make sure the folder can be written to and the disk is not full."));
}
