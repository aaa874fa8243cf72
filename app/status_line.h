#pragma once

#include <QLabel>

namespace vandrel {

// The two-line status under the tab strip. Each text is painted the moment it is written:
// the stages of a download follow each other inside one pass of the event loop, and a
// label that only scheduled its repaint would show none but the last.
class StatusLine final : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Shows `text`, and no detail until one is given.
    void display(const QString& text);
    // What the text alone does not say, as the tool tip (as plain text) and for screen readers.
    void explain(const QString& detail);
};

} // namespace vandrel
