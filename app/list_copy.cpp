#include "app/list_copy.h"

#include "sources/tsv.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <vector>

namespace vandrel {

namespace {

QString rowText(const QTreeWidgetItem& row, const QHeaderView& header)
{
    std::vector<std::u16string> cells;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (!header.isSectionHidden(column))
            cells.push_back(row.text(column).toStdU16String());
    }
    return QString::fromStdU16String(tabSeparatedLine(cells));
}

QAction* listAction(QTreeWidget* list, const QString& text, QKeySequence::StandardKey keys)
{
    auto* action = new QAction(text, list);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    list->addAction(action);
    return action;
}

} // namespace

QString selectedRowsText(const QTreeWidget& list)
{
    QString text;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        if (row->isSelected())
            text += rowText(*row, *list.header());
    }
    return text;
}

void addCopyActions(QTreeWidget* list)
{
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(listAction(list, QStringLiteral("Copy"), QKeySequence::Copy),
                     &QAction::triggered, list, [list] {
                         const QString text = selectedRowsText(*list);
                         if (!text.isEmpty())
                             QGuiApplication::clipboard()->setText(text);
                     });
    QObject::connect(listAction(list, QStringLiteral("Select All"), QKeySequence::SelectAll),
                     &QAction::triggered, list, &QTreeWidget::selectAll);
}

} // namespace vandrel
