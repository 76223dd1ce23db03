#include "DovovevoZavUI/TimecodeRejectionAnimator.h"

#include <QGraphicsEffect>
#include <QImage>
#include <QPainter>
#include <QVariantAnimation>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace dovovevozav {

namespace {

constexpr double springSeconds = 0.75;
constexpr int pulseMilliseconds = 80;

// The progress of a spring with a response of 0.2 s and a damping fraction of 0.2, released
// from rest, over the 0.75 s in which it settles to within 1 %.
qreal springProgress(qreal progress) {
    if (progress >= 1.0) {
        return 1.0;
    }
    constexpr double response = 0.2;
    constexpr double damping = 0.2;
    const double natural = 2 * std::numbers::pi / response;
    const double decay = damping * natural;
    const double damped = natural * std::sqrt(1 - damping * damping);
    const double t = progress * springSeconds;
    return 1 -
           std::exp(-decay * t) * (std::cos(damped * t) + decay / damped * std::sin(damped * t));
}

// Draws its source shifted to the right and brightened (each colour channel raised by the
// brightness times the pixel's opacity).
class RejectionEffect : public QGraphicsEffect {
public:
    void setAppearance(qreal offset, qreal brightness) {
        offset_ = offset;
        brightness_ = brightness;
        update();
    }

    QRectF boundingRectFor(const QRectF& rect) const override {
        const qreal margin = TimecodeRejectionAnimator::shakeIntensity;
        return rect.adjusted(-margin, 0, margin, 0);
    }

protected:
    void draw(QPainter* painter) override {
        if (offset_ == 0 && brightness_ == 0) {
            drawSource(painter);
            return;
        }
        QPoint origin;
        const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &origin);
        if (pixmap.isNull()) {
            return;
        }
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (brightness_ > 0) {
            brighten(image);
        }
        painter->drawImage(QPointF(origin) + QPointF(offset_, 0), image);
    }

private:
    void brighten(QImage& image) const {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                const int added = qRound(brightness_ * alpha);
                const auto raise = [&](int channel) { return std::min(channel + added, alpha); };
                line[x] = qRgba(raise(qRed(line[x])), raise(qGreen(line[x])), raise(qBlue(line[x])),
                                alpha);
            }
        }
    }

    qreal offset_ = 0;
    qreal brightness_ = 0;
};

qreal runningValue(const QVariantAnimation* animation) {
    return animation->state() == QAbstractAnimation::Running ? animation->currentValue().toReal()
                                                             : 0.0;
}

} // namespace

TimecodeRejectionAnimator::TimecodeRejectionAnimator(QWidget* target)
    : QObject(target), target_(target), shake_(new QVariantAnimation(this)),
      pulse_(new QVariantAnimation(this)) {
    shake_->setStartValue(shakeIntensity);
    shake_->setEndValue(0.0);
    shake_->setDuration(static_cast<int>(springSeconds * 1000));
    QEasingCurve spring;
    spring.setCustomType(springProgress);
    shake_->setEasingCurve(spring);
    pulse_->setStartValue(pulseIntensity);
    pulse_->setEndValue(0.0);
    pulse_->setDuration(pulseMilliseconds);
    for (QVariantAnimation* animation : {shake_, pulse_}) {
        connect(animation, &QVariantAnimation::valueChanged, this, [this] { apply(); });
        connect(animation, &QVariantAnimation::finished, this, [this] { apply(); });
    }
}

void TimecodeRejectionAnimator::animate(
    TimecodeFieldInputRejectionFeedback::RejectionAnimation animation) {
    QVariantAnimation* running =
        animation == TimecodeFieldInputRejectionFeedback::RejectionAnimation::shake ? shake_
                                                                                    : pulse_;
    running->stop();
    running->start();
    apply();
}

qreal TimecodeRejectionAnimator::shakeOffset() const {
    return runningValue(shake_);
}

qreal TimecodeRejectionAnimator::pulseBrightness() const {
    return runningValue(pulse_);
}

void TimecodeRejectionAnimator::apply() {
    const qreal offset = shakeOffset();
    const qreal brightness = pulseBrightness();
    if (offset == 0 && brightness == 0) {
        if (effect_ != nullptr && target_->graphicsEffect() == effect_) {
            target_->setGraphicsEffect(nullptr);
        }
        return;
    }
    if (effect_ == nullptr) {
        auto* effect = new RejectionEffect;
        target_->setGraphicsEffect(effect);
        effect_ = effect;
    }
    static_cast<RejectionEffect*>(effect_.data())->setAppearance(offset, brightness);
}

} // namespace dovovevozav
