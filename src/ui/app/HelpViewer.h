#pragma once

#include "app/ShellChild.h"

#include <QTextBrowser>

// The help window: a child window of the main window showing the help pages
// (Help/Index.Htm below the program's folder) with their links.
class HelpViewer : public QTextBrowser, public ShellChild
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // The index page below folder; false when it is missing (a short note is shown).
    bool OpenIndex(const QString &folder);

    QString SessionName() const override { return {}; }
    QString WindowName() const override;
    QString ButtonToolTip() const override;
    int ButtonImage() const override { return 2; }
    bool UpdateCommand(int id, bool &enabled, bool &checked) const override;
    bool HandleCommand(int id) override;
};
