#include "export/docxpackage.h"

#include <zip.h>

#include <ctime>
#include <memory>

namespace Tarvosk::DocxPackage {

namespace {

struct SourceFree
{
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFree>;

// Local time, as zip stores it: 1980-01-01 00:00, the earliest zip date.
time_t fixedDate()
{
    std::tm date{};
    date.tm_year = 80;
    date.tm_mday = 1;
    date.tm_isdst = -1;
    return std::mktime(&date);
}

std::optional<QByteArray> failed(QString *error, const char *reason)
{
    if (error)
        *error = QString::fromUtf8(reason);
    return std::nullopt;
}

std::optional<QByteArray> bytesOf(zip_source_t *source, QString *error)
{
    zip_stat_t stat;
    if (zip_source_stat(source, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE))
        return failed(error, zip_error_strerror(zip_source_error(source)));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    if (zip_source_open(source) < 0)
        return failed(error, zip_error_strerror(zip_source_error(source)));
    const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    if (read != zip_int64_t(stat.size))
        return failed(error, zip_error_strerror(zip_source_error(source)));
    return bytes;
}

} // namespace

std::optional<QByteArray> zip(const QList<DocxParts::Part> &parts, QString *error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &zipError));
    if (!buffer) {
        failed(error, zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_t *archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zipError);
    if (!archive) {
        failed(error, zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_error_fini(&zipError);
    // The archive takes the buffer over; it is kept to read the result after closing.
    zip_source_keep(buffer.get());

    const time_t date = fixedDate();
    // libzip reads the parts' data only when closing; `parts` outlives that.
    for (const DocxParts::Part &part : parts) {
        zip_source_t *data = zip_source_buffer(archive, part.data.constData(), zip_uint64_t(part.data.size()), 0);
        const QByteArray name = part.name.toUtf8();
        const zip_int64_t index = data ? zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(data);
            failed(error, zip_strerror(archive));
            zip_discard(archive);
            return std::nullopt;
        }
        zip_file_set_mtime(archive, zip_uint64_t(index), date, 0);
    }
    if (zip_close(archive) < 0) {
        failed(error, zip_strerror(archive));
        zip_discard(archive);
        return std::nullopt;
    }
    return bytesOf(buffer.get(), error);
}

} // namespace Tarvosk::DocxPackage
