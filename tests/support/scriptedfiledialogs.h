#pragma once

#include "platform/filedialogs.h"

#include <QList>

namespace Tarvosk {

// Records every file dialog and gives the scripted choices in order (then a cancel).
class ScriptedFileDialogs final : public FileDialogs
{
public:
    struct Choice
    {
        QString path; // "" cancels
        int filterIndex = 1;
    };
    struct Shown
    {
        bool save;
        QString filter;
        QString initialName;
    };

    QString showOpenDialog(const QString &filter, int &filterIndex) override;
    QString showSaveDialog(const QString &filter, int &filterIndex, const QString &initialName) override;

    QList<Choice> choices;
    QList<Shown> shown;

private:
    QString choose(int &filterIndex);
};

} // namespace Tarvosk
