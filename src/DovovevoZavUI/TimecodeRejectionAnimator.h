#pragma once

#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"

#include <QObject>
#include <QPointer>

class QGraphicsEffect;
class QVariantAnimation;
class QWidget;

namespace dovovevozav {

/// The rejection animations of a widget, drawn through a graphics effect that is installed on
/// the widget while one runs (so the widget and its children move together and may be drawn
/// past the widget's edges): a shake jumps shakeIntensity pixels to the right and springs back
/// (a spring of 0.2 s response and 0.2 damping fraction); a pulse brightens the widget by
/// pulseIntensity and fades back linearly in 80 ms. A new animation restarts from its start,
/// also while an earlier one still runs.
class TimecodeRejectionAnimator : public QObject {
    Q_OBJECT

public:
    static constexpr qreal shakeIntensity = 5.0;
    static constexpr qreal pulseIntensity = 0.7;

    /// Animates `target`, which owns the animator.
    explicit TimecodeRejectionAnimator(QWidget* target);

    /// Starts one shake or one pulse.
    void animate(TimecodeFieldInputRejectionFeedback::RejectionAnimation animation);

    /// The horizontal displacement of the shake now; 0 at rest.
    qreal shakeOffset() const;
    /// The brightness the pulse adds now; 0 at rest.
    qreal pulseBrightness() const;

private:
    // Installs, updates or (at rest) removes the effect.
    void apply();

    QWidget* target_;
    QVariantAnimation* shake_;
    QVariantAnimation* pulse_;
    QPointer<QGraphicsEffect> effect_;
};

} // namespace dovovevozav
