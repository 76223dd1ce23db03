#pragma once

#include <QObject>

namespace marrowvale {

/// Holds off the user's input while a task runs on the GUI thread and the event loop is kept
/// turning for the progress bar: clicks, keys and shortcuts are dropped rather than delivered
/// after the task, except inside a dialog the task opened itself (a question, the save panel,
/// an alert). While held, the application shows the busy cursor.
class UserInputHold : public QObject {
public:
    explicit UserInputHold(QObject* parent = nullptr);
    ~UserInputHold() override;

    /// Starts or ends holding; each call changes nothing when the state is already so.
    void setHolding(bool holding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool holding_ = false;
};

} // namespace marrowvale
