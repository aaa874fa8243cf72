#include "app/keyboard_link.h"

#include <QKeyEvent>
#include <QLabel>

namespace vandrel {

namespace {

bool followsLink(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

} // namespace

KeyboardLink::KeyboardLink(QLabel* label) : QObject(label), label_(label)
{
    label_->setFocusPolicy(Qt::TabFocus);
    label_->installEventFilter(this);
}

bool KeyboardLink::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
    case QEvent::FocusOut:
        label_->setFrameStyle(QFrame::NoFrame);
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!followsLink(key->key()))
            break;
        // Holding the key down opens the website once.
        if (!key->isAutoRepeat())
            emit activated();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vandrel
