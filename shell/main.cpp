// Kelmor: the editor's start-up. Makes the application and its windows and runs the
// event loop until the main window is closed.
#include "kelmorapp.h"
#include "kelmorfrm.h"
#include "kelmorstart.h"

int main(int argc, char *argv[])
{
    // The command line is the program's alone: Qt would take its own options from it
    // ("-reverse" mirrors the window, "-style fusion" swaps the look) where the
    // program answers an unknown switch with its usage message. So Qt is handed the
    // program's path only, and keeps a reference to this count for as long as the
    // application lives.
    // The arguments stay the system's bytes: a file name need not be valid text.
    QList<QByteArray> commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine.append(QByteArray(argv[i]));
    int qtArgc = argc > 0 ? 1 : 0;
    char *qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};

    TKelmorApplication app(qtArgc, qtArgv);
    const std::unique_ptr<TKelmorFrm> frm = StartKelmor(app, commandLine);
    frm->show();
    const int result = app.exec();
    app.SetReportSeam(nullptr);
    return result;
}
