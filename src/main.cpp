#include "app/BrimoApp.h"
#include "app/LinkInbox.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    // Ties the windows to the installed desktop entry (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("sk.brimo.Brimo"));
    // The main window may hide in the tray while the debug window closes:
    // the program ends only when the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    // A link clicked while Brimo runs goes to the running program.
    LinkInbox inbox;
    const QStringList links = LinkInbox::LinksAmong(QApplication::arguments());
    if (!links.isEmpty() && inbox.Forward(links))
        return 0;

    BrimoApp brimo;
    const int result = brimo.Start(QApplication::arguments());
    if (result != BrimoApp::Started)
        return result;
    inbox.Listen([&brimo](const QString &link) {
        brimo.OpenIrcLink(link);
        if (QWidget *window = brimo.MainFrame()) {
            window->raise();
            window->activateWindow();
        }
    });
    const int exitCode = QApplication::exec();
    brimo.Exit();
    return exitCode;
}
