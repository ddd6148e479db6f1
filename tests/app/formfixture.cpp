#include "formfixture.h"

namespace Tarvosk {

FormFixture::FormFixture()
    : settings(dir.filePath(QStringLiteral("Tarvosk.conf")))
{
    // Dice of 71 meet every class's minimums and roll no free choice.
    random.fallback = 0.705f;
}

Form1 &FormFixture::form()
{
    if (!m_form) {
        AppContext context{settings, random, messages, state,
                           [this] {
                               ++fontListRequests;
                               return installedFonts;
                           },
                           [this] { ++registrations; }};
        context.clock = [this] { return clock; };
        context.today = [this] { return today; };
        context.rollDialogs = &rollDialogs;
        context.askStartup = [this] {
            ++startupScreens;
            return startupChoice;
        };
        m_form = std::make_unique<Form1>(context);
    }
    return *m_form;
}

} // namespace Tarvosk
