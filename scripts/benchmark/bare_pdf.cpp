// The smallest Qt program that writes an A4 PDF page with 300 texts and 122 lines,
// on the "offscreen" platform as the program's --pdf does. Usage: bare_pdf OUT.pdf
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    const int width = writer.width();
    const int height = writer.height();
    for (int i = 0; i < 300; ++i)
        painter.drawText(QPointF(width / 6 * (i % 6) + 50, height / 52 * (i / 6 + 1)),
                         QStringLiteral("Zeile %1").arg(i + 1));
    for (int i = 0; i < 122; ++i) {
        const int y = height / 123 * (i + 1);
        painter.drawLine(0, y, width, y);
    }
    return painter.end() ? 0 : 1;
}
