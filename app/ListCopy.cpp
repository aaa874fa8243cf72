#include "app/ListCopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeWidget>

namespace vandrel {

namespace {

// A tab or a line break inside a cell would make a column or a row of its own.
QString cell(QString text)
{
    for (QChar separator : {u'\t', u'\r', u'\n'})
        text.replace(separator, u' ');
    return text;
}

QString rowText(const QTreeWidgetItem& row, const QHeaderView& header)
{
    QStringList cells;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (!header.isSectionHidden(column))
            cells << cell(row.text(column));
    }
    return cells.join(u'\t') + u'\n';
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
