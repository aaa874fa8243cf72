#pragma once

#include "app/source_page_table.h"
#include "sources/chart_source.h"

#include <QRect>
#include <QString>
#include <span>
#include <string_view>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

// Small factories for the window's controls. Positions and sizes are given in twips
// (1/1440 inch) as the layout was drawn; 15 twips make one logical pixel.
namespace vandrel::widgets {

QRect twips(int left, int top, int width, int height);
QRect twips(Twips place);

QTreeWidget* list(QWidget* parent, const QString& name, QRect geometry,
                  std::span<const Column> columns);
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect geometry);
QComboBox* dropDown(QWidget* parent, const QString& name, QRect geometry,
                    std::span<const std::u16string_view> items);
QLabel* label(QWidget* parent, const QString& name, const QString& caption, QRect geometry);

// Today's default fonts are wider than the ones the layout was drawn for: where a
// control's text needs more room than its place, the control grows to `needed`,
// keeping its vertical centre and its horizontal centre (or its right edge).
void growAround(QWidget* control, QSize needed, Qt::Alignment keep = Qt::AlignHCenter);

} // namespace vandrel::widgets
