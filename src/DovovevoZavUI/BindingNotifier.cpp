#include "DovovevoZavUI/BindingNotifier.h"

namespace dovovevozav {

BindingNotifier::BindingNotifier(QObject* parent) : QObject(parent) {}

void BindingNotifier::notify() {
    emit changed();
}

} // namespace dovovevozav
