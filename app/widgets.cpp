#include "app/widgets.h"

#include "app/list_copy.h"
#include "net/qt_text.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel::widgets {

namespace {
int px(int twips)
{
    return (twips + 7) / 15;
}
} // namespace

QRect twips(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

QRect twips(Twips place)
{
    return twips(place.left, place.top, place.width, place.height);
}

QTreeWidget* list(QWidget* parent, const QString& name, QRect geometry,
                  std::span<const Column> columns)
{
    auto* view = new QTreeWidget(parent);
    view->setObjectName(name);
    view->setGeometry(geometry);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setColumnCount(int(columns.size()));
    QStringList titles;
    for (const auto& column : columns)
        titles << qt(column.title);
    view->setHeaderLabels(titles);
    view->setAccessibleName(titles.join(QStringLiteral(", ")));
    view->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->header()->setStretchLastSection(false);
    int i = 0;
    for (const auto& column : columns)
        view->setColumnWidth(i++, px(column.width));
    addCopyActions(view);
    return view;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    return b;
}

QComboBox* dropDown(QWidget* parent, const QString& name, QRect geometry,
                    std::span<const std::u16string_view> items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setGeometry(geometry);
    combo->setEditable(false);
    for (const std::u16string_view item : items)
        combo->addItem(qt(item));
    combo->setCurrentIndex(-1);
    return combo;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect geometry)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void growAround(QWidget* control, QSize needed, Qt::Alignment keep)
{
    QRect place = control->geometry();
    const QPoint centre = place.center();
    const int right = place.right();
    place.setSize(place.size().expandedTo(needed));
    place.moveCenter(centre);
    if (keep & Qt::AlignRight)
        place.moveRight(right);
    control->setGeometry(place);
}

} // namespace vandrel::widgets
