#include "app/HelpViewer.h"

#include "app/CommandIds.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

HelpViewer::HelpViewer(QWidget *parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
    setContentsMargins(1, 1, 1, 1);
}

bool HelpViewer::OpenIndex(const QString &folder)
{
    const QString index = QDir(folder).filePath(QStringLiteral("Help/Index.Htm"));
    if (!QFileInfo::exists(index)) {
        const std::string missing = Strings::Format(Str::HelpPagesMissing, index.toUtf8().constData());
        setHtml(QStringLiteral("<p>%1</p>").arg(FromUtf8(missing).toHtmlEscaped()));
        return false;
    }
    setSearchPaths({QFileInfo(index).absolutePath()});
    setSource(QUrl::fromLocalFile(index));
    return true;
}

QString HelpViewer::WindowName() const
{
    return QString::fromUtf8(Strings::Get(Str::HelpTitle));
}

QString HelpViewer::ButtonToolTip() const
{
    return WindowName();
}

bool HelpViewer::UpdateCommand(int id, bool &enabled, bool &checked) const
{
    checked = false;
    if (id != CommandId::EditCopy)
        return false;
    enabled = textCursor().hasSelection();
    return true;
}

bool HelpViewer::HandleCommand(int id)
{
    if (id != CommandId::EditCopy)
        return false;
    copy();
    return true;
}
