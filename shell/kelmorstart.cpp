#include "kelmorstart.h"

#include "aboutbox.h"
#include "kelmorapp.h"
#include "kelmorfrm.h"

std::unique_ptr<TKelmorFrm> StartKelmor(TKelmorApplication &app, const QList<QByteArray> &CommandLine,
                                        std::unique_ptr<TPlatformSeam> seam)
{
    auto frm = std::make_unique<TKelmorFrm>(std::move(seam));
    app.SetReportSeam(&frm->Seam());
    frm->CommandErrorReport = [&app] { app.ReportCurrentError(); };
    // Outside the event loop no one else catches: a file on the command line that
    // cannot be read must not end the program.
    try {
        frm->FormCreate(CommandLine);
    } catch (...) {
        app.ReportCurrentError();
    }
    frm->AboutBox = new TAboutBox(frm->Seam(), frm.get());
    return frm;
}
