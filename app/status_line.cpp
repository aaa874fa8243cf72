#include "app/status_line.h"

namespace vandrel {

void StatusLine::display(const QString& text)
{
    setText(text);
    explain({});
    repaint();
}

void StatusLine::explain(const QString& detail)
{
    // A tool tip whose first line holds a tag Qt knows, as "<span class="bold">" and "<br>" in
    // the markers are, is taken for rich text and loses its tags; escaped, the detail shows whole.
    setToolTip(detail.isEmpty() ? QString()
                                : QStringLiteral("<p>%1</p>").arg(detail.toHtmlEscaped()));
    setAccessibleDescription(detail.isEmpty() ? QStringLiteral("Status") : detail);
}

} // namespace vandrel
