#include <QTest>

namespace {

class TestWindows : public QObject
{
    Q_OBJECT
};

} // namespace

int runWindowTests(int argc, char **argv)
{
    TestWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
