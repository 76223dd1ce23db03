#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/Binding.h"

#include <QObject>

namespace dovovevozav {

/// One timecode owned by a view, handed to controls through binding(). Watchers hear of a
/// change only when the components or the properties really change; a timecode equal in real
/// time but written differently (00:00:01:00 for 00:00:00:25 at 25 fps) is a change. The
/// notice comes from the event loop once the setter has returned, so a watcher always reads
/// the stored value and never runs inside the write that caused it.
class TimecodeState : public QObject {
    Q_OBJECT

public:
    explicit TimecodeState(const Timecode& timecode = Timecode(), QObject* parent = nullptr);

    const Timecode& timecode() const { return timecode_; }
    /// Stores the timecode and, when the components or the properties (frame rate, subframes
    /// base, upper limit) differ from the stored ones, queues timecodeChanged() on the event
    /// loop: one notice for each such change.
    void setTimecode(const Timecode& timecode);

    /// A binding that reads and writes this state as timecode() and setTimecode() do, with
    /// timecodeChanged() as its change notice. It reads the zero timecode and drops writes once
    /// the state is destroyed.
    Binding<Timecode> binding();

signals:
    /// The timecode changed; delivered from the event loop after the new value was stored.
    void timecodeChanged();

private:
    Timecode timecode_;
};

} // namespace dovovevozav
