#include "export/docxpackage.h"

#include <zlib.h>

#include <QtEndian>

#include <limits>

namespace Tarvosk::DocxPackage {

namespace {

// What every entry shares: deflated, its name in UTF-8, dated 1980-01-01 00:00 (DOS time 0).
constexpr quint16 versionNeeded = 20;
constexpr quint16 utf8Names = 0x0800;
constexpr quint16 deflated = 8;
constexpr quint16 dosTime = 0;
constexpr quint16 dosDate = (0 << 9) | (1 << 5) | 1;

template<typename T>
void append(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

std::optional<QByteArray> failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

// Raw deflate, as zip stores it: no zlib header, no checksum.
std::optional<QByteArray> deflate(const QByteArray &data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = ::deflate(&stream, Z_FINISH);
    const qsizetype written = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        return std::nullopt;
    out.truncate(written);
    return out;
}

// The fields the local header and the central directory have in common.
void appendCommonFields(QByteArray &out, quint32 crc, quint32 packedSize, quint32 size, quint16 nameSize)
{
    append<quint16>(out, versionNeeded);
    append<quint16>(out, utf8Names);
    append<quint16>(out, deflated);
    append<quint16>(out, dosTime);
    append<quint16>(out, dosDate);
    append<quint32>(out, crc);
    append<quint32>(out, packedSize);
    append<quint32>(out, size);
    append<quint16>(out, nameSize);
    append<quint16>(out, 0); // no extra field
}

} // namespace

std::optional<QByteArray> zip(const QList<DocxParts::Part> &parts, QString *error)
{
    // 0xFFFFFFFF itself is the mark of a larger archive's format, which this one is not.
    constexpr qsizetype largest = std::numeric_limits<quint32>::max() - 1;
    constexpr qsizetype localHeader = 30;
    if (parts.size() > std::numeric_limits<quint16>::max())
        return failed(error, QStringLiteral("zu viele Teile"));

    QByteArray archive;
    QByteArray directory;
    for (const DocxParts::Part &part : parts) {
        const QByteArray name = part.name.toUtf8();
        const std::optional<QByteArray> packed = deflate(part.data);
        if (!packed)
            return failed(error, QStringLiteral("zlib konnte »%1« nicht packen").arg(part.name));
        if (name.size() > std::numeric_limits<quint16>::max() || part.data.size() > largest
            || archive.size() + localHeader + name.size() + packed->size() > largest)
            return failed(error, QStringLiteral("»%1« ist zu groß").arg(part.name));
        const quint32 crc = quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(part.data.constData()),
                                          uInt(part.data.size())));
        const quint32 offset = quint32(archive.size());

        append<quint32>(archive, 0x04034b50);
        appendCommonFields(archive, crc, quint32(packed->size()), quint32(part.data.size()), quint16(name.size()));
        archive += name;
        archive += *packed;

        append<quint32>(directory, 0x02014b50);
        append<quint16>(directory, versionNeeded); // made by: MS-DOS attributes
        appendCommonFields(directory, crc, quint32(packed->size()), quint32(part.data.size()), quint16(name.size()));
        append<quint16>(directory, 0); // no comment
        append<quint16>(directory, 0); // disk
        append<quint16>(directory, 0); // internal attributes
        append<quint32>(directory, 0); // external attributes
        append<quint32>(directory, offset);
        directory += name;
    }
    if (archive.size() + directory.size() > largest)
        return failed(error, QStringLiteral("das Dokument ist zu groß"));

    const quint32 directoryOffset = quint32(archive.size());
    archive += directory;
    append<quint32>(archive, 0x06054b50);
    append<quint16>(archive, 0); // this disk
    append<quint16>(archive, 0); // the directory's disk
    append<quint16>(archive, quint16(parts.size()));
    append<quint16>(archive, quint16(parts.size()));
    append<quint32>(archive, quint32(directory.size()));
    append<quint32>(archive, directoryOffset);
    append<quint16>(archive, 0); // no comment
    return archive;
}

} // namespace Tarvosk::DocxPackage
