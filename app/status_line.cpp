#include "app/status_line.h"

namespace vandrel {

void StatusLine::display(const QString& text)
{
    setText(text);
    repaint();
}

} // namespace vandrel
