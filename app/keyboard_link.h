#pragma once

#include <QObject>

class QLabel;

namespace vandrel {

// Makes a label that serves as a link reachable with Tab and followed with Enter or Space.
// A label draws no focus mark, so the link shows a frame while it has the keyboard focus.
class KeyboardLink : public QObject
{
    Q_OBJECT
public:
    // The link belongs to `label` and goes with it.
    explicit KeyboardLink(QLabel* label);

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label_;
};

} // namespace vandrel
