#include "checkwindow.h"

#include <algorithm>
#include <optional>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "elementproperties.h"
#include "fonts.h"
#include "hinttracker.h"
#include "mirolafile.h"

namespace {

enum TColumn { colRecord = 0, colProblem = 1 };

QString Summary(std::size_t count, std::size_t wrongInGame)
{
    if (count == 0)
        return QStringLiteral("Keine Probleme gefunden.");
    const QString text =
        count == 1 ? QStringLiteral("1 Problem gefunden") : QStringLiteral("%1 Probleme gefunden").arg(count);
    if (wrongInGame == 0)
        return text + QLatin1Char('.');
    if (count == 1)
        return text + QStringLiteral(", im Spiel falsch angezeigt.");
    return text + QStringLiteral(", davon %1 im Spiel falsch angezeigt.").arg(wrongInGame);
}

}  // namespace

TCheckWindow::TCheckWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CheckWindow"));
    setWindowTitle(QStringLiteral("Fragen prüfen"));
    setFont(SansFont(13));
    setModal(false);
    setSizeGripEnabled(true);
    setProperty(kHelpContextProperty, kCheckWindowHelpContext);
    resize(520, 360);

    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setTextFormat(Qt::PlainText);

    FindingList = new QTreeWidget(this);
    FindingList->setObjectName(QStringLiteral("FindingList"));
    FindingList->setColumnCount(2);
    FindingList->setHeaderLabels({QStringLiteral("Datensatz"), QStringLiteral("Problem")});
    FindingList->headerItem()->setTextAlignment(colRecord, Qt::AlignRight | Qt::AlignVCenter);
    FindingList->setRootIsDecorated(false);
    FindingList->setItemsExpandable(false);
    FindingList->setUniformRowHeights(true);
    FindingList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindingList->setSelectionMode(QAbstractItemView::SingleSelection);
    FindingList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FindingList->setAllColumnsShowFocus(true);
    FindingList->header()->setSectionsMovable(false);
    FindingList->header()->setStretchLastSection(true);
    // Room for the mark and a four-digit record number beside the caption.
    FindingList->setColumnWidth(colRecord, FindingList->fontMetrics().horizontalAdvance(QStringLiteral("Datensatz")) +
                                               style()->pixelMetric(QStyle::PM_SmallIconSize) + 24);
    SetHint(FindingList, QStringLiteral("Doppelklick oder Eingabetaste zeigt den Datensatz"));
    // Enter is taken here rather than through the view's activation: the view lets the
    // key go on to the dialog, whose default button would close the window, and
    // whether a click activates a row depends on the style.
    FindingList->installEventFilter(this);
    connect(FindingList, &QTreeWidget::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            ChooseRow(index.row());
    });

    CloseButton = new QPushButton(QStringLiteral("Schließen"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAutoDefault(false);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto *column = new QVBoxLayout(this);
    column->addWidget(SummaryLabel);
    column->addWidget(FindingList, 1);
    column->addLayout(buttons);

    Clear();
}

void TCheckWindow::Refresh(const TMirolaFile &doc)
{
    ShowFindings(CheckQuestions(doc));
}

void TCheckWindow::ShowFindings(std::vector<TCheckFinding> findings)
{
    if (FShowsDocument && findings == FFindings)
        return;

    QTreeWidgetItem *selected = FindingList->selectedItems().value(0);
    const int selectedRow = selected != nullptr ? FindingList->indexOfTopLevelItem(selected) : -1;
    std::optional<TCheckFinding> chosen;
    if (selectedRow >= 0 && selectedRow < static_cast<int>(FFindings.size()))
        chosen = FFindings[static_cast<std::size_t>(selectedRow)];

    FFindings = std::move(findings);
    FShowsDocument = true;

    // The rows are rewritten in place and added or dropped at the end only: a refresh
    // comes with every change of the document, and a row whose texts stay the same is
    // not touched at all.
    const int count = static_cast<int>(FFindings.size());
    while (FindingList->topLevelItemCount() > count)
        delete FindingList->takeTopLevelItem(FindingList->topLevelItemCount() - 1);
    QList<QTreeWidgetItem *> added;
    const QIcon wrongInGame = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (int row = 0; row < count; ++row) {
        const TCheckFinding &finding = FFindings[static_cast<std::size_t>(row)];
        QTreeWidgetItem *item = FindingList->topLevelItem(row);
        if (item == nullptr) {
            item = new QTreeWidgetItem;
            item->setTextAlignment(colRecord, Qt::AlignRight | Qt::AlignVCenter);
            added << item;
        }
        item->setText(colRecord, QString::number(finding.Record));
        // Icons do not compare equal, so setting the same one again would repaint the row.
        const bool marked = ShowsWronglyInGame(finding.Kind);
        if (marked == item->icon(colRecord).isNull())
            item->setIcon(colRecord, marked ? wrongInGame : QIcon());
        item->setText(colProblem, QString::fromStdString(finding.Reason));
    }
    FindingList->addTopLevelItems(added);

    // The finding chosen before is found by its record and kind; where it is gone,
    // the row that took its place is chosen, as a list does when a row is removed.
    int row = -1;
    if (chosen) {
        const auto same = [&chosen](const TCheckFinding &f) {
            return f.Record == chosen->Record && f.Kind == chosen->Kind;
        };
        const auto found = std::find_if(FFindings.begin(), FFindings.end(), same);
        row = found != FFindings.end() ? static_cast<int>(found - FFindings.begin()) : std::min(selectedRow, count - 1);
    }
    if (row >= 0)
        FindingList->setCurrentItem(FindingList->topLevelItem(row));
    else
        FindingList->clearSelection();
    ShowSummary();
}

void TCheckWindow::Clear()
{
    FindingList->clear();
    FFindings.clear();
    FShowsDocument = false;
    ShowSummary();
}

void TCheckWindow::ShowSummary()
{
    if (!FShowsDocument) {
        SummaryLabel->setText(QStringLiteral("Keine Datei geöffnet."));
        return;
    }
    const auto wrongInGame = std::count_if(FFindings.begin(), FFindings.end(),
                                           [](const TCheckFinding &f) { return ShowsWronglyInGame(f.Kind); });
    SummaryLabel->setText(Summary(FFindings.size(), static_cast<std::size_t>(wrongInGame)));
}

void TCheckWindow::ChooseRow(int row)
{
    if (row >= 0 && row < static_cast<int>(FFindings.size()))
        emit RecordChosen(FFindings[static_cast<std::size_t>(row)].Record - 1);
}

bool TCheckWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FindingList && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            QTreeWidgetItem *current = FindingList->currentItem();
            if (current != nullptr && current->isSelected())
                ChooseRow(FindingList->indexOfTopLevelItem(current));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
