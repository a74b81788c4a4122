// Start-up as the user waits for it: from starting the program to the first painted
// window, then out. Built three times: as the editor's own start-up with a file, as a
// bare Qt window, and as a Qt window with one line of text (the first text a program
// shows costs it the loading of the system's font list), so that `hyperfine` can time
// them side by side. With --memory it prints the peak resident memory (and, for the
// editor, the records' own bytes).
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#ifdef KELMOR_EDITOR
#include "kelmorapp.h"
#include "kelmorfrm.h"
#include "kelmorstart.h"
#endif

int main(int argc, char *argv[])
{
    const bool memory = argc > 1 && std::strcmp(argv[argc - 1], "--memory") == 0;
    if (memory)
        --argc;
#ifdef KELMOR_EDITOR
    TKelmorApplication app(argc, argv);
    QList<QByteArray> commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine.append(QByteArray(argv[i]));
    const std::unique_ptr<TKelmorFrm> window = StartKelmor(app, commandLine);
#else
    QApplication app(argc, argv);
    const auto window = std::make_unique<QWidget>();
    window->resize(665, 451);
#ifdef KELMOR_LABEL
    new QLabel(QStringLiteral("Kelmor für Mirola"), window.get());
#endif
#endif
    window->show();
    // Queued behind the show: once it runs, the window has been laid out and painted.
    QTimer::singleShot(0, &app, [&window] {
        window->repaint();
        QCoreApplication::quit();
    });
    const int result = app.exec();
    if (memory) {
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
#ifdef KELMOR_EDITOR
        if (window->QFile)
            std::printf("records' own bytes: %.1f MB (%d records of %zu bytes)\n",
                        window->QFile->Count() * sizeof(TMirolaDatensatz) / 1048576.0, window->QFile->Count(),
                        sizeof(TMirolaDatensatz));
#endif
    }
    return result;
}
