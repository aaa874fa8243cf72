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
    setToolTip(detail);
    setAccessibleDescription(detail.isEmpty() ? QStringLiteral("Status") : detail);
}

} // namespace vandrel
