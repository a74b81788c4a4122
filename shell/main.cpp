// Kelmor: the editor's start-up. Makes the application and its main window and runs
// the event loop until the window is closed.
#include "kelmorapp.h"
#include "kelmorfrm.h"

int main(int argc, char *argv[])
{
    TKelmorApplication app(argc, argv);
    TKelmorFrm frm;
    app.SetReportSeam(&frm.Seam());
    frm.show();
    const int result = app.exec();
    app.SetReportSeam(nullptr);
    return result;
}
