#include "support/scriptedfiledialogs.h"

namespace Tarvosk {

QString ScriptedFileDialogs::showOpenDialog(const QString &filter, int &filterIndex)
{
    shown.append({false, filter, {}});
    return choose(filterIndex);
}

QString ScriptedFileDialogs::showSaveDialog(const QString &filter, int &filterIndex, const QString &initialName)
{
    shown.append({true, filter, initialName});
    return choose(filterIndex);
}

QString ScriptedFileDialogs::choose(int &filterIndex)
{
    if (choices.isEmpty())
        return {};
    const Choice choice = choices.takeFirst();
    filterIndex = choice.filterIndex;
    return choice.path;
}

} // namespace Tarvosk
