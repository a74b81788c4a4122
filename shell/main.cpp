// Kelmor: the editor's start-up. Makes the application and its windows and runs the
// event loop until the main window is closed.
#include "kelmorapp.h"
#include "kelmorfrm.h"
#include "kelmorstart.h"

int main(int argc, char *argv[])
{
    TKelmorApplication app(argc, argv);
    const std::unique_ptr<TKelmorFrm> frm = StartKelmor(app, app.arguments().mid(1));
    frm->show();
    const int result = app.exec();
    app.SetReportSeam(nullptr);
    return result;
}
