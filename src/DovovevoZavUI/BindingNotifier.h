#pragma once

#include <QObject>

namespace dovovevozav {

/// The change notice for a binding over plain storage: whoever writes the storage calls
/// notify(), and bindings made with notifiedBy(&notifier, &BindingNotifier::changed) announce
/// the change to the controls that follow them.
class BindingNotifier : public QObject {
    Q_OBJECT

public:
    explicit BindingNotifier(QObject* parent = nullptr);

public slots:
    /// Tells the bindings' followers, at once, that the storage changed.
    void notify();

signals:
    /// The storage changed.
    void changed();
};

} // namespace dovovevozav
