#include "app/BrimoApp.h"
#include "app/LinkInbox.h"
#include "config/Config.h"
#include "text/Strings.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    // Ties the windows to the installed desktop entry (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("sk.brimo.Brimo"));
    // The main window may hide in the tray while the debug window closes:
    // the program ends only when the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    // One program per brimo.conf: a later start hands its links (or none) to
    // the running one, which comes forward, and ends.
    LinkInbox inbox(LinkInbox::NameFor(QFileInfo(QString::fromStdString(ConfigFilePath())).absolutePath()));
    if (!inbox.Claim()) {
        if (inbox.Forward(LinkInbox::LinksAmong(QApplication::arguments())))
            return 0;
        QMessageBox::warning(nullptr, QStringLiteral("Brimo"), QString::fromUtf8(Strings::Get(Str::AlreadyRunning)));
        return BrimoApp::AlreadyRunning;
    }

    BrimoApp brimo;
    const int result = brimo.Start(QApplication::arguments());
    if (result != BrimoApp::Started)
        return result;
    inbox.Listen([&brimo](const QStringList &links) { brimo.TakeLaterStart(links); });
    const int exitCode = QApplication::exec();
    brimo.Exit();
    return exitCode;
}
