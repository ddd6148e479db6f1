#include <QApplication>
#include <QTest>

int runForm1Tests(int argc, char **argv);
int runIconBarTests(int argc, char **argv);
int runKeyboardTests(int argc, char **argv);
int runWizardTests(int argc, char **argv);
int runWindowTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += runForm1Tests(argc, argv);
    failures += runIconBarTests(argc, argv);
    failures += runKeyboardTests(argc, argv);
    failures += runWizardTests(argc, argv);
    failures += runWindowTests(argc, argv);
    return failures;
}
