#include "xlsrecords.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
// Bounds far above what Excel writes (it keeps 4 000 cell formats and a few
// hundred number formats); past them the records are taken as not read.
constexpr size_t kMaxSheets = 10000;
constexpr size_t kMaxFormats = 65536;

quint16 u16(const QByteArray &bytes, qint64 at)
{
    return at >= 0 && at + 2 <= bytes.size() ? qFromLittleEndian<quint16>(bytes.constData() + at) : 0;
}

quint32 u32(const QByteArray &bytes, qint64 at)
{
    return at >= 0 && at + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + at) : 0;
}

// A compound file (OLE2): its streams by name, each followed along its
// chain of sectors with every step checked, so that a damaged or hostile
// file ends the reading rather than looping or reading past its end.
class Compound {
public:
    explicit Compound(const QByteArray &file)
        : m_file(file)
    {
    }

    bool open()
    {
        if (m_file.size() < 512 || !m_file.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
            return false;
        const int shift = u16(m_file, 0x1E);
        if (shift != 9 && shift != 12)
            return false;
        m_sector = 1 << shift;
        const qint64 sectors = (m_file.size() - 1) / m_sector; // after the header's
        // The sectors of the allocation table: 109 named in the header, the
        // rest in a chain of their own.
        const quint32 fatSectors = u32(m_file, 0x2C);
        if (fatSectors > sectors)
            return false;
        std::vector<quint32> fat;
        for (int i = 0; i < 109 && fat.size() < fatSectors; ++i)
            fat.push_back(u32(m_file, 0x4C + 4 * i));
        quint32 next = u32(m_file, 0x44);
        for (qint64 steps = 0; fat.size() < fatSectors && next < sectors && steps < sectors; ++steps) {
            const qint64 at = (qint64(next) + 1) * m_sector;
            for (int i = 0; i < m_sector / 4 - 1 && fat.size() < fatSectors; ++i)
                fat.push_back(u32(m_file, at + 4 * i));
            next = u32(m_file, at + m_sector - 4);
        }
        if (fat.size() < fatSectors)
            return false;
        m_fat.reserve(size_t(fatSectors) * size_t(m_sector / 4));
        for (quint32 s : fat) {
            if (s >= sectors)
                return false;
            for (int i = 0; i < m_sector / 4; ++i)
                m_fat.push_back(u32(m_file, (qint64(s) + 1) * m_sector + 4 * i));
        }
        // The directory, 128 bytes an entry; the first is the root, whose
        // stream holds the small streams in sectors of 64 bytes.
        const std::optional<QByteArray> directory = chain(u32(m_file, 0x30), -1, false);
        if (!directory)
            return false;
        for (qint64 at = 0; at + 128 <= directory->size(); at += 128) {
            const int nameBytes = std::min<int>(u16(*directory, at + 64), 64);
            Entry entry;
            entry.name = QString::fromUtf16(reinterpret_cast<const char16_t *>(directory->constData() + at), std::max(0, nameBytes / 2 - 1));
            entry.type = quint8(directory->at(at + 66));
            entry.start = u32(*directory, at + 116);
            entry.size = u32(*directory, at + 120);
            m_entries.push_back(entry);
        }
        if (m_entries.empty() || m_entries.front().type != 5)
            return false;
        m_cutoff = u32(m_file, 0x38);
        const std::optional<QByteArray> mini = chain(m_entries.front().start, m_entries.front().size, false);
        const std::optional<QByteArray> miniFat = chain(u32(m_file, 0x3C), -1, false);
        if (!mini || !miniFat)
            return false;
        m_mini = *mini;
        for (qint64 at = 0; at + 4 <= miniFat->size(); at += 4)
            m_miniFat.push_back(u32(*miniFat, at));
        return true;
    }

    bool has(QStringView name) const
    {
        return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.type == 2 && e.name.compare(name, Qt::CaseInsensitive) == 0; });
    }

    std::optional<QByteArray> stream(QStringView name) const
    {
        for (const Entry &e : m_entries) {
            if (e.type == 2 && e.name.compare(name, Qt::CaseInsensitive) == 0)
                return chain(e.start, e.size, e.size < m_cutoff);
        }
        return std::nullopt;
    }

private:
    struct Entry {
        QString name;
        int type = 0;
        quint32 start = 0;
        qint64 size = 0;
    };

    // The bytes of the chain from start (size of them, or all when size is
    // -1), or nothing when the chain leaves the table or the file, loops, or
    // is shorter than size.
    std::optional<QByteArray> chain(quint32 start, qint64 size, bool mini) const
    {
        const std::vector<quint32> &table = mini ? m_miniFat : m_fat;
        const QByteArray &source = mini ? m_mini : m_file;
        const int sectorSize = mini ? 64 : m_sector;
        const qint64 base = mini ? 0 : m_sector;
        if (size > source.size())
            return std::nullopt;
        QByteArray bytes;
        size_t steps = 0;
        for (quint32 s = start; s != kEndOfChain && (size < 0 || bytes.size() < size); s = table[s]) {
            const qint64 at = base + qint64(s) * sectorSize;
            if (s >= table.size() || ++steps > table.size() || at >= source.size())
                return std::nullopt;
            bytes.append(source.constData() + at, std::min<qint64>(sectorSize, source.size() - at));
        }
        if (size >= 0) {
            if (bytes.size() < size)
                return std::nullopt;
            bytes.truncate(size);
        }
        return bytes;
    }

    QByteArray m_file;
    int m_sector = 512;
    quint32 m_cutoff = 4096;
    std::vector<quint32> m_fat, m_miniFat;
    QByteArray m_mini;
    std::vector<Entry> m_entries;
};

// A BIFF8 string: its characters, compressed to a byte each or not, after
// its flags (and the counts of rich text runs and of extended data, which
// follow them when the flags say so).
QString biffString(const QByteArray &record, qint64 at, int length, bool extensions)
{
    const quint8 flags = quint8(record.at(at));
    ++at;
    if (extensions && (flags & 0x08))
        at += 2;
    if (extensions && (flags & 0x04))
        at += 4;
    if (flags & 0x01) {
        length = int(std::min<qint64>(length, (record.size() - at) / 2));
        return length > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(record.constData() + at), length) : QString();
    }
    length = int(std::min<qint64>(length, record.size() - at));
    return length > 0 ? QString::fromLatin1(record.constData() + at, length) : QString();
}

} // namespace

XlsRecords XlsRecords::read(const QByteArray &file)
{
    XlsRecords records;
    Compound compound(file);
    if (!compound.open())
        return records;
    if (compound.has(u"EncryptedPackage") || compound.has(u"EncryptionInfo")) {
        records.m_kind = Kind::Encrypted;
        return records;
    }
    std::optional<QByteArray> workbook = compound.stream(u"Workbook");
    if (!workbook)
        workbook = compound.stream(u"Book");
    if (!workbook) {
        records.m_kind = Kind::NoWorkbook;
        return records;
    }
    records.m_kind = Kind::Workbook;
    records.m_stream = *workbook;
    const QByteArray &stream = records.m_stream;
    bool biff8 = false;
    for (qint64 at = 0; at + 4 <= stream.size();) {
        const quint16 type = u16(stream, at), length = u16(stream, at + 2);
        if (at + 4 + length > stream.size())
            break;
        const QByteArray record = stream.mid(at + 4, length);
        at += 4 + length;
        switch (type) {
        case 0x0809: // BOF
            if (at == 4 + length)
                biff8 = u16(record, 0) == 0x0600;
            break;
        case 0x0042: // CODEPAGE
            records.m_codePage = u16(record, 0);
            break;
        case 0x002F: // FILEPASS: what follows is encrypted
            return records;
        case 0x0085: // BOUNDSHEET: its place, state, type and name
            if (biff8 && length >= 8 && quint8(record.at(5)) == 0 && records.m_sheets.size() < kMaxSheets)
                records.m_sheets.push_back({biffString(record, 7, quint8(record.at(6)), false), (quint8(record.at(4)) & 3) == 0, u32(record, 0)});
            break;
        case 0x041E: // FORMAT: its id and code
            if (biff8 && length >= 5 && records.m_formats.size() < kMaxFormats)
                records.m_formats[u16(record, 0)] = biffString(record, 4, u16(record, 2), true);
            break;
        case 0x00E0: // XF: a cell format, by its number format's id
            if (length >= 4 && records.m_xfFormats.size() < kMaxFormats)
                records.m_xfFormats.push_back(u16(record, 2));
            break;
        case 0x000A: // EOF of the workbook's global records
            records.m_complete = biff8;
            return records;
        default:
            break;
        }
    }
    return records;
}

void XlsRecords::readCells(const Sheet &sheet, int maxRows, int maxColumns)
{
    m_cells.clear();
    if (!m_complete || u16(m_stream, sheet.offset) != 0x0809)
        return;
    auto add = [&](quint32 row, quint32 column, quint16 xf) {
        if (row < quint32(maxRows) && column < quint32(std::min(maxColumns, 256)))
            m_cells.emplace_back(row << 8 | column, xf);
    };
    int depth = 0;
    for (qint64 at = sheet.offset; at + 4 <= m_stream.size();) {
        const quint16 type = u16(m_stream, at), length = u16(m_stream, at + 2);
        const qint64 data = at + 4;
        if (data + length > m_stream.size())
            break;
        at = data + length;
        if (type == 0x0809) {
            ++depth;
        } else if (type == 0x000A) {
            if (--depth == 0)
                break;
        } else if (depth == 1 && length >= 6 && (type == 0x0203 || type == 0x027E || type == 0x0006)) {
            // NUMBER, RK, FORMULA: row, column, cell format
            add(u16(m_stream, data), u16(m_stream, data + 2), u16(m_stream, data + 4));
        } else if (depth == 1 && type == 0x00BD && length >= 6) {
            // MULRK: row, first column, then a cell format and a number a cell
            const quint32 row = u16(m_stream, data), first = u16(m_stream, data + 2);
            for (qint64 i = 0; 4 + 6 * (i + 1) <= length - 2; ++i)
                add(row, first + quint32(i), u16(m_stream, data + 4 + 6 * i));
        }
    }
    // In the order of the rows and columns; the last record of a cell holds.
    std::stable_sort(m_cells.begin(), m_cells.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
}

std::optional<int> XlsRecords::formatId(int row, int column) const
{
    const quint32 key = quint32(row) << 8 | quint32(column);
    auto it = std::upper_bound(m_cells.begin(), m_cells.end(), key, [](quint32 k, const auto &cell) { return k < cell.first; });
    if (it == m_cells.begin() || std::prev(it)->first != key)
        return std::nullopt;
    const quint16 xf = std::prev(it)->second;
    if (xf >= m_xfFormats.size())
        return std::nullopt;
    return m_xfFormats[xf];
}
