#include "app/BrimoApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.1"));
    // Ties the windows to the installed desktop entry (its name and icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("sk.brimo.Brimo"));
    // The main window may hide in the tray while the debug window closes:
    // the program ends only when the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    CBrimoApp brimo;
    const int result = brimo.Start(QApplication::arguments());
    if (result != CBrimoApp::Started)
        return result;
    const int exitCode = QApplication::exec();
    brimo.Exit();
    return exitCode;
}
