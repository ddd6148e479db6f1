#include <QApplication>
#include <QTest>

int runIconsAndKeysTests(int argc, char **argv);
int runWizardTests(int argc, char **argv);
int runWindowTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto run : {runWizardTests, runIconsAndKeysTests, runWindowTests})
        failures += run(argc, argv);
    return failures;
}
