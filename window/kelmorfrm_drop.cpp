// TKelmorFrm: files dropped on the window from a file manager (FormDropFiles) are
// opened as the Open command opens a file.
#include <QAbstractScrollArea>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "kelmorfrm.h"

namespace {

// The local files a drag carries, in its order; none when its first item is no
// local file.
QStringList DraggedFiles(const QMimeData *data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            break;
        files.append(url.toLocalFile());
    }
    return files;
}

// Files may be dropped anywhere on the window. The edit fields would take a file's
// name as text and the answer list its own items only, so the window watches them
// too and takes every drag of files for itself; other drags go on as before.
class TFileDropTarget : public QObject {
public:
    explicit TFileDropTarget(TKelmorFrm &window) : QObject(&window), FWindow(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (DraggedFiles(drag->mimeData()).isEmpty())
                break;
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QStringList files = DraggedFiles(drop->mimeData());
            if (files.isEmpty())
                break;
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            // The file manager waits until the drop is over; the question whether to
            // save changes must not keep it waiting.
            QMetaObject::invokeMethod(
                &FWindow, [window = &FWindow, files] { window->FormDropFiles(window, files); }, Qt::QueuedConnection);
            return true;
        }
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TKelmorFrm &FWindow;
};

}  // namespace

void TKelmorFrm::AcceptFileDrops()
{
    auto *target = new TFileDropTarget(*this);
    setAcceptDrops(true);
    installEventFilter(target);
    for (QWidget *control : findChildren<QWidget *>()) {
        if (control->acceptDrops()) {
            control->installEventFilter(target);
            // A list view takes its drops in its viewport.
            if (auto *view = qobject_cast<QAbstractScrollArea *>(control))
                view->viewport()->installEventFilter(target);
        }
    }
}

void TKelmorFrm::FormDropFiles(QObject *Sender, const QStringList &Files)
{
    if (Files.isEmpty() || !ConfirmChange(Sender))
        return;
    OpenDoc(Files.constFirst());
}
