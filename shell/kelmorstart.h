#pragma once
// The editor's start-up, from the application to the window ready to be shown.
#include <QByteArrayList>
#include <memory>

class TKelmorApplication;
class TKelmorFrm;
class TPlatformSeam;

// Makes the main window, puts it into its empty state and works through the command
// line (the arguments without the program's path), then makes the about box. An
// error on the way is reported, and start-up goes on. The window asks the user
// through `seam`, or through Qt's dialogs without one; errors are reported there too.
std::unique_ptr<TKelmorFrm> StartKelmor(TKelmorApplication &app, const QList<QByteArray> &CommandLine,
                                        std::unique_ptr<TPlatformSeam> seam = nullptr);
