#pragma once
// TCheckWindow: what the question check finds in the open document, one row per
// finding, in a window of its own beside the main window. It stays open while the
// user edits and is refreshed after every change; a row chosen leads to its record.
#include <QDialog>
#include <vector>

#include "questioncheck.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class TMirolaFile;

class TCheckWindow : public QDialog {
    Q_OBJECT
public:
    explicit TCheckWindow(QWidget *parent = nullptr);

    QLabel *SummaryLabel = nullptr;
    QTreeWidget *FindingList = nullptr;  // columns "Datensatz" and "Problem"
    QPushButton *CloseButton = nullptr;  // "Schließen"

    // Checks `doc` and shows the findings. The chosen finding stays chosen where it
    // is still found, and the list stays scrolled where it was, so that a refresh
    // after every change does not make it jump.
    void Refresh(const TMirolaFile &doc);
    // The same for findings the caller has made already.
    void ShowFindings(std::vector<TCheckFinding> findings);
    // No document is open.
    void Clear();

signals:
    // A row was double-clicked, or Enter was pressed on it; `index` counts from 0.
    void RecordChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ChooseRow(int row);
    void ShowSummary();

    std::vector<TCheckFinding> FFindings;
    // False while no document is open: then no findings mean nothing was checked.
    bool FShowsDocument = false;
};

// The help topic of the window: the page on editing a question.
inline constexpr int kCheckWindowHelpContext = 3;
