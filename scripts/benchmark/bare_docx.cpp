// The smallest Qt Core program that writes a .docx-like zip with libzip: the five
// parts of a minimal Word document, ~300 short paragraphs. Usage: bare_docx OUT.docx
#include <QCoreApplication>
#include <QXmlStreamWriter>

#include <zip.h>

#include <functional>
#include <vector>

namespace {

const QString w = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString pkgRels = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString officeRel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

QByteArray xml(const std::function<void(QXmlStreamWriter &)> &body)
{
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    out.writeStartDocument(QStringLiteral("1.0"), true);
    body(out);
    out.writeEndDocument();
    return bytes;
}

void relationship(QXmlStreamWriter &out, const QString &id, const QString &type, const QString &target)
{
    out.writeEmptyElement(QStringLiteral("Relationship"));
    out.writeAttribute(QStringLiteral("Id"), id);
    out.writeAttribute(QStringLiteral("Type"), officeRel + type);
    out.writeAttribute(QStringLiteral("Target"), target);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    QCoreApplication app(argc, argv);
    std::vector<std::pair<const char *, QByteArray>> parts;
    parts.emplace_back("[Content_Types].xml", xml([](QXmlStreamWriter &out) {
        out.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
        out.writeStartElement(QStringLiteral("Types"));
        out.writeEmptyElement(QStringLiteral("Default"));
        out.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
        out.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        out.writeEmptyElement(QStringLiteral("Default"));
        out.writeAttribute(QStringLiteral("Extension"), QStringLiteral("xml"));
        out.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/xml"));
        const char *wml = "application/vnd.openxmlformats-officedocument.wordprocessingml.";
        out.writeEmptyElement(QStringLiteral("Override"));
        out.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/document.xml"));
        out.writeAttribute(QStringLiteral("ContentType"), QLatin1String(wml) + QStringLiteral("document.main+xml"));
        out.writeEmptyElement(QStringLiteral("Override"));
        out.writeAttribute(QStringLiteral("PartName"), QStringLiteral("/word/styles.xml"));
        out.writeAttribute(QStringLiteral("ContentType"), QLatin1String(wml) + QStringLiteral("styles+xml"));
        out.writeEndElement();
    }));
    parts.emplace_back("_rels/.rels", xml([](QXmlStreamWriter &out) {
        out.writeDefaultNamespace(pkgRels);
        out.writeStartElement(QStringLiteral("Relationships"));
        relationship(out, QStringLiteral("rId1"), QStringLiteral("officeDocument"), QStringLiteral("word/document.xml"));
        out.writeEndElement();
    }));
    parts.emplace_back("word/document.xml", xml([](QXmlStreamWriter &out) {
        out.writeNamespace(w, QStringLiteral("w"));
        out.writeStartElement(w, QStringLiteral("document"));
        out.writeStartElement(w, QStringLiteral("body"));
        for (int i = 1; i <= 300; ++i) {
            out.writeStartElement(w, QStringLiteral("p"));
            out.writeStartElement(w, QStringLiteral("r"));
            out.writeTextElement(w, QStringLiteral("t"), QStringLiteral("Absatz %1").arg(i));
            out.writeEndElement();
            out.writeEndElement();
        }
        out.writeEndElement();
        out.writeEndElement();
    }));
    parts.emplace_back("word/_rels/document.xml.rels", xml([](QXmlStreamWriter &out) {
        out.writeDefaultNamespace(pkgRels);
        out.writeStartElement(QStringLiteral("Relationships"));
        relationship(out, QStringLiteral("rId1"), QStringLiteral("styles"), QStringLiteral("styles.xml"));
        out.writeEndElement();
    }));
    parts.emplace_back("word/styles.xml", xml([](QXmlStreamWriter &out) {
        out.writeNamespace(w, QStringLiteral("w"));
        out.writeStartElement(w, QStringLiteral("styles"));
        out.writeStartElement(w, QStringLiteral("style"));
        out.writeAttribute(w, QStringLiteral("type"), QStringLiteral("paragraph"));
        out.writeAttribute(w, QStringLiteral("styleId"), QStringLiteral("Normal"));
        out.writeEmptyElement(w, QStringLiteral("name"));
        out.writeAttribute(w, QStringLiteral("val"), QStringLiteral("Normal"));
        out.writeEndElement();
        out.writeEndElement();
    }));

    int error = 0;
    zip_t *archive = zip_open(argv[1], ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return 1;
    for (const auto &[name, bytes] : parts) {
        zip_source_t *source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return 1;
        }
    }
    return zip_close(archive) == 0 ? 0 : 1;
}
