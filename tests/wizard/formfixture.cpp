#include "formfixture.h"

#include "wizard/frmstartup.h"

#include <QAbstractItemView>

namespace Tarvosk {

FormFixture::FormFixture(const QString &recoveryPath)
    : settings(dir.filePath(QStringLiteral("Tarvosk.conf")))
    , session({settings, messages, fileDialogs, formats.all(), {}, recoveryPath})
    , document(session.document())
{
    // Dice of 71 meet every class's minimums and roll no free choice.
    random.fallback = 0.705f;
}

Form1 &FormFixture::form()
{
    if (!m_form) {
        AppContext context{settings, random, messages, session, [this] { ++fontListRequests; return installedFonts; },
                           [this] { ++registrations; }};
        context.clock = [this] { return clock; };
        context.today = [this] { return today; };
        context.rollDialogs = &rollDialogs;
        context.fileDialogs = &fileDialogs;
        context.openDocument = [this](const QUrl &url) { openedDocuments << url; return true; };
        context.askStartup = [this] {
            ++startupScreens;
            return realStartupScreen ? frmStartup::ask() : startupChoice;
        };
        m_form = std::make_unique<Form1>(context);
    }
    return *m_form;
}

Form1 &FormFixture::loaded(Form1::Step step)
{
    form().Form_Load();
    m_form->showStep(step);
    return *m_form;
}

Form1 &FormFixture::rolledArzt()
{
    form().Form_Load();
    chooseEntry(m_form->valuesPage()->Combo1, QStringLiteral("Arzt"));
    return *m_form;
}

void chooseEntry(QComboBox *combo, const QString &entry)
{
    const int index = combo->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

void clickOn(QWidget &window, const QString &objectName, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    auto *widget = window.findChild<QWidget *>(objectName);
    QVERIFY2(widget, qPrintable(objectName));
    QTest::mouseClick(widget, button, modifiers, QPoint(3, 3));
}

bool looksLearnt(const SkillListFrame *frame, int row)
{
    return frame->row(row)->palette().color(QPalette::WindowText) == frame->learntColour();
}

} // namespace Tarvosk
