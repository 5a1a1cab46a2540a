#include "shell/OverwriteQuestion.h"

#include "conversation/Shell.h"
#include "text/Strings.h"

#include <QFileInfo>
#include <QString>

bool MayOverwrite(Shell &shell, const std::string &path)
{
    if (!QFileInfo::exists(QString::fromStdString(path)))
        return true;
    return shell.MessageBox(Strings::Format(Str::FileOverwrite, path.c_str()), "Brimo", Shell::ButtonsYesNo)
        == Shell::AnswerYes;
}
