#include "desktop/UserInputHold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace marrowvale {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// Whether `object` is `dialog` or lies inside it, popups such as a combo box's list included.
bool belongsTo(const QObject* object, const QWidget* dialog) {
    if (!object->isWidgetType()) {
        return false;
    }
    for (auto* widget = static_cast<const QWidget*>(object); widget;
         widget = widget->parentWidget()) {
        if (widget == dialog) {
            return true;
        }
    }
    return false;
}

} // namespace

UserInputHold::UserInputHold(QObject* parent) : QObject(parent) {}

UserInputHold::~UserInputHold() {
    setHolding(false);
}

void UserInputHold::setHolding(bool holding) {
    if (holding == holding_) {
        return;
    }
    holding_ = holding;
    if (holding) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
}

bool UserInputHold::eventFilter(QObject* watched, QEvent* event) {
    if (!isUserInput(event->type())) {
        return false;
    }
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        return true;
    }
    // Qt itself keeps a modal dialog's input to the dialog; what arrives for the dialog's own
    // window, or its widgets, is the user answering it.
    return !watched->isWidgetType() ? false : !belongsTo(watched, dialog);
}

} // namespace marrowvale
