#include "DovovevoZavUI/TimecodeState.h"

#include <QPointer>

namespace dovovevozav {

TimecodeState::TimecodeState(const Timecode& timecode, QObject* parent)
    : QObject(parent), timecode_(timecode) {}

void TimecodeState::setTimecode(const Timecode& timecode) {
    // Not Timecode's ==, which compares real time.
    const bool changed = timecode.components() != timecode_.components() ||
                         timecode.properties() != timecode_.properties();
    timecode_ = timecode;
    if (changed) {
        // Queued, so that watchers never run inside the write; a notice still pending when the
        // state is destroyed is dropped with it.
        QMetaObject::invokeMethod(this, &TimecodeState::timecodeChanged, Qt::QueuedConnection);
    }
}

Binding<Timecode> TimecodeState::binding() {
    const QPointer<TimecodeState> state(this);
    return Binding<Timecode>([state] { return state != nullptr ? state->timecode() : Timecode(); },
                             [state](const Timecode& timecode) {
                                 if (state != nullptr) {
                                     state->setTimecode(timecode);
                                 }
                             })
        .notifiedBy(this, &TimecodeState::timecodeChanged);
}

} // namespace dovovevozav
