#include "DovovevoZavUI/TimecodeField.h"

#include "DovovevoZavUI/TimecodeEnvironment.h"

#include <QApplication>
#include <QHBoxLayout>
#include <utility>

namespace dovovevozav {

namespace {

using Components = Timecode::Components;

// One property of a bound timecode, bound on its own: writing it replaces that property and
// keeps the component values.
template <class Value>
Binding<Value> propertyOf(const Binding<Timecode>& timecode, Value (Timecode::*get)() const,
                          void (Timecode::*set)(Value)) {
    return Binding<Value>([timecode, get] { return (timecode.get().*get)(); },
                          [timecode, set](const Value& value) {
                              Timecode changed = timecode.get();
                              (changed.*set)(value);
                              timecode.set(changed);
                          },
                          timecode.changeNotice());
}

Binding<Components> componentsOf(const Binding<Timecode>& timecode) {
    return Binding<Components>([timecode] { return timecode.get().components(); },
                               [timecode](const Components& components) {
                                   Timecode changed = timecode.get();
                                   changed.setComponents(components);
                                   timecode.set(changed);
                               },
                               timecode.changeNotice());
}

// The timecode of bound parts, out-of-range values kept; a write stores each part that differs
// from the bound one.
Binding<Timecode> timecodeOf(const Binding<Components>& components,
                             const Binding<TimecodeFrameRate>& frameRate,
                             const Binding<TimecodeSubFramesBase>& subFramesBase,
                             const Binding<TimecodeUpperLimit>& upperLimit) {
    return Binding<Timecode>(
        [=] {
            Timecode timecode(
                TimecodeProperties(frameRate.get(), subFramesBase.get(), upperLimit.get()));
            timecode.setComponents(components.get());
            return timecode;
        },
        [=](const Timecode& timecode) {
            if (timecode.components() != components.get()) {
                components.set(timecode.components());
            }
            if (timecode.frameRate().rawValue() != frameRate.get().rawValue()) {
                frameRate.set(timecode.frameRate());
            }
            if (timecode.subFramesBase() != subFramesBase.get()) {
                subFramesBase.set(timecode.subFramesBase());
            }
            if (timecode.upperLimit() != upperLimit.get()) {
                upperLimit.set(timecode.upperLimit());
            }
        },
        combinedChangeNotice({components.changeNotice(), frameRate.changeNotice(),
                              subFramesBase.changeNotice(), upperLimit.changeNotice()}));
}

} // namespace

TimecodeField::TimecodeField(Binding<Timecode> timecode, QWidget* parent)
    : TimecodeField(componentsOf(timecode),
                    propertyOf(timecode, &Timecode::frameRate, &Timecode::setFrameRate),
                    propertyOf(timecode, &Timecode::subFramesBase, &Timecode::setSubFramesBase),
                    propertyOf(timecode, &Timecode::upperLimit, &Timecode::setUpperLimit), timecode,
                    parent) {}

TimecodeField::TimecodeField(Binding<Components> components, Binding<TimecodeFrameRate> frameRate,
                             Binding<TimecodeSubFramesBase> subFramesBase,
                             Binding<TimecodeUpperLimit> upperLimit, QWidget* parent)
    : TimecodeField(components, frameRate, subFramesBase, upperLimit,
                    timecodeOf(components, frameRate, subFramesBase, upperLimit), parent) {}

TimecodeField::TimecodeField(Binding<Components> components, const TimecodeProperties& properties,
                             QWidget* parent)
    : TimecodeField(std::move(components),
                    Binding<TimecodeFrameRate>::constant(properties.frameRate),
                    Binding<TimecodeSubFramesBase>::constant(properties.subFramesBase),
                    Binding<TimecodeUpperLimit>::constant(properties.upperLimit), parent) {}

TimecodeField::TimecodeField(Binding<Components> components, TimecodeFrameRate frameRate,
                             TimecodeSubFramesBase subFramesBase, TimecodeUpperLimit upperLimit,
                             QWidget* parent)
    : TimecodeField(std::move(components), TimecodeProperties(frameRate, subFramesBase, upperLimit),
                    parent) {}

TimecodeField::TimecodeField(Binding<Components> components, QWidget* parent)
    : TimecodeField(std::move(components),
                    TimecodeProperties(TimecodeFrameRate::fps24,
                                       TimecodeSubFramesBase::max100SubFrames,
                                       TimecodeUpperLimit::max24Hours),
                    parent) {}

TimecodeField::TimecodeField(Binding<Components> components, Binding<TimecodeFrameRate> frameRate,
                             Binding<TimecodeSubFramesBase> subFramesBase,
                             Binding<TimecodeUpperLimit> upperLimit, Binding<Timecode> timecode,
                             QWidget* parent)
    : QWidget(parent), components_(std::move(components)), frameRate_(std::move(frameRate)),
      subFramesBase_(std::move(subFramesBase)), upperLimit_(std::move(upperLimit)),
      timecode_(std::move(timecode)), seen_(readValues()), content_(new QWidget(this)),
      animator_(new TimecodeRejectionAnimator(this)), beep_(&QApplication::beep) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(content_);
    TimecodeEnvironment::of(content_)->setTimecodePasted(TimecodePasteAction{
        [this](const TimecodePasteResult& result) { acceptPastedTimecode(result); }});
    buildRow();
    updateRow();
    // The given bindings' notices all reach the timecode binding, which is either given or
    // derived from them.
    timecode_.onChange(*this, [this] { refresh(); });
}

void TimecodeField::buildRow() {
    auto* row = new QHBoxLayout(content_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const Binding<TimecodeProperties> properties([this] { return timecode_.get().properties(); },
                                                 [this](const TimecodeProperties& value) {
                                                     Timecode changed = timecode_.get();
                                                     changed.setProperties(value);
                                                     timecode_.set(changed);
                                                     refresh();
                                                 });
    const Binding<std::optional<TimecodeComponent>> focus(
        [this] { return focusedComponent_; },
        [this](const std::optional<TimecodeComponent>& component) {
            setFocusedComponent(component);
        });
    const auto separator = [&](const QString& text) {
        auto* view = new SeparatorView(text, content_);
        row->addWidget(view, 0, Qt::AlignVCenter);
        return view;
    };
    for (const TimecodeComponent component : TimecodeComponent::allCases()) {
        const Binding<std::int64_t> value(
            [this, component] { return components_.get().value(component); },
            [this, component](const std::int64_t& written) {
                Components changed = components_.get();
                changed.setValue(component, written);
                components_.set(changed);
                refresh();
            });
        auto* view = new ComponentView(component, properties, value, focus, content_);
        view->setBeep(beep_);
        views_[component.index()] = view;
        row->addWidget(view, 0, Qt::AlignVCenter);
        switch (component.value()) {
        case TimecodeComponent::days:
            daysSeparator_ = separator(QStringLiteral(" "));
            break;
        case TimecodeComponent::hours:
        case TimecodeComponent::minutes:
            separator(QStringLiteral(":"));
            break;
        case TimecodeComponent::seconds:
            framesSeparator_ = separator(QStringLiteral(":"));
            break;
        case TimecodeComponent::frames:
            subFramesSeparator_ = separator(QStringLiteral("."));
            break;
        case TimecodeComponent::subFrames:
            break;
        }
    }
}

void TimecodeField::updateRow() {
    const TimecodeProperties properties = timecodeProperties();
    const TimecodeStringFormat format = TimecodeEnvironment::timecodeFormat(this);
    const bool showsDays =
        properties.upperLimit == TimecodeUpperLimit::max100Days || format.alwaysShowDays();
    views_[TimecodeComponent(TimecodeComponent::days).index()]->setVisible(showsDays);
    daysSeparator_->setVisible(showsDays);
    framesSeparator_->setText(properties.frameRate.isDropFrame() ? QStringLiteral(";")
                                                                 : QStringLiteral(":"));
    ComponentView* subFrames = views_[TimecodeComponent(TimecodeComponent::subFrames).index()];
    subFrames->setVisible(format.showSubFrames());
    subFramesSeparator_->setVisible(format.showSubFrames());
    const TimecodeSubFramesStyle subFramesStyle = TimecodeEnvironment::timecodeSubFramesStyle(this);
    subFrames->setForegroundStyle(subFramesStyle.style);
    subFrames->setTextScale(subFramesStyle.scale);
}

TimecodeProperties TimecodeField::timecodeProperties() const {
    return TimecodeProperties(frameRate_.get(), subFramesBase_.get(), upperLimit_.get());
}

void TimecodeField::setFocusedComponent(std::optional<TimecodeComponent> component) {
    if (component && componentView(*component) == nullptr) {
        component = std::nullopt;
    }
    if (component == focusedComponent_) {
        return;
    }
    focusedComponent_ = component;
    for (ComponentView* view : views_) {
        view->focusedComponentChanged();
    }
}

TimecodeComponentView* TimecodeField::componentView(TimecodeComponent component) const {
    ComponentView* view = views_[component.index()];
    return view->isHidden() ? nullptr : view;
}

QString TimecodeField::text() const {
    QString shown;
    for (const QObject* child : content_->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget == nullptr || widget->isHidden()) {
            continue;
        }
        if (const auto* view = qobject_cast<const ComponentView*>(widget)) {
            shown += view->valueText().text();
        } else if (const auto* separator = qobject_cast<const SeparatorView*>(widget)) {
            shown += separator->text();
        }
    }
    return shown;
}

void TimecodeField::setBeep(std::function<void()> beep) {
    beep_ = beep;
    for (ComponentView* view : views_) {
        view->setBeep(beep);
    }
}

TimecodeField::PasteValidationResult
TimecodeField::pasteValidationResult(const TimecodePasteResult& result) const {
    if (const Timecode* pasted = std::get_if<Timecode>(&result)) {
        if (auto accepted = validatePastedTimecode(
                *pasted, timecodeProperties(), TimecodeEnvironment::timecodeFieldPastePolicy(this),
                TimecodeEnvironment::timecodeFieldValidationPolicy(this),
                TimecodeEnvironment::timecodeFieldInputStyle(this))) {
            return *accepted;
        }
    }
    return InputRejectionFeedback::UserAction(InputRejectionFeedback::PasteRejected{});
}

void TimecodeField::acceptPastedTimecode(const TimecodePasteResult& result) {
    const PasteValidationResult decision = pasteValidationResult(result);
    if (const Timecode* accepted = std::get_if<Timecode>(&decision)) {
        timecode_.set(*accepted);
        refresh();
        return;
    }
    giveRejectionFeedback(TimecodeEnvironment::timecodeFieldInputRejectionFeedback(this),
                          std::get<InputRejectionFeedback::UserAction>(decision), beep_, *this);
}

void TimecodeField::animateRejection(InputRejectionFeedback::RejectionAnimation animation) {
    animator_->animate(animation);
}

TimecodeField::SeenValues TimecodeField::readValues() const {
    const Timecode timecode = timecode_.get();
    return SeenValues{components_.get(), timecode.components(), timecode.properties(),
                      frameRate_.get(),  subFramesBase_.get(),  upperLimit_.get()};
}

void TimecodeField::runChangeHandlers() {
    const SeenValues now = readValues();
    const SeenValues before = std::exchange(seen_, now);
    // Each handler reads the bindings afresh: an earlier one may have written them, and a
    // write may have run the handlers again from its own change notice.
    if (now.components != before.components) {
        Timecode timecode = timecode_.get();
        const Components components = components_.get();
        if (timecode.components() != components) {
            timecode.setComponents(components);
            timecode_.set(timecode);
        }
    }
    if (now.timecodeComponents != before.timecodeComponents) {
        const Components components = timecode_.get().components();
        if (components_.get() != components) {
            components_.set(components);
        }
    }
    if (now.timecodeProperties != before.timecodeProperties) {
        const TimecodeProperties properties = timecode_.get().properties();
        if (frameRate_.get().rawValue() != properties.frameRate.rawValue()) {
            frameRate_.set(properties.frameRate);
        }
        if (subFramesBase_.get() != properties.subFramesBase) {
            subFramesBase_.set(properties.subFramesBase);
        }
        if (upperLimit_.get() != properties.upperLimit) {
            upperLimit_.set(properties.upperLimit);
        }
    }
    if (now.frameRate.rawValue() != before.frameRate.rawValue()) {
        Timecode timecode = timecode_.get();
        const TimecodeFrameRate frameRate = frameRate_.get();
        if (timecode.frameRate().rawValue() != frameRate.rawValue()) {
            timecode.setFrameRate(frameRate);
            timecode_.set(timecode);
        }
    }
    if (now.subFramesBase != before.subFramesBase) {
        Timecode timecode = timecode_.get();
        const TimecodeSubFramesBase subFramesBase = subFramesBase_.get();
        if (timecode.subFramesBase() != subFramesBase) {
            timecode.setSubFramesBase(subFramesBase);
            timecode_.set(timecode);
        }
    }
    if (now.upperLimit != before.upperLimit) {
        Timecode timecode = timecode_.get();
        const TimecodeUpperLimit upperLimit = upperLimit_.get();
        if (timecode.upperLimit() != upperLimit) {
            timecode.setUpperLimit(upperLimit);
            timecode_.set(timecode);
        }
    }
    // What the handlers wrote is seen now; its own notices find nothing new.
    seen_ = readValues();
}

void TimecodeField::refresh() {
    runChangeHandlers();
    updateRow();
    for (ComponentView* view : views_) {
        view->refresh();
    }
}

void TimecodeField::paste() {
    auto providers = clipboardItemProviders();
    if (providers.empty()) {
        return;
    }
    performTimecodePaste(
        std::move(providers), [this] { return TimecodeEnvironment::timecodePasted(this); },
        timecodeProperties(), this);
}

bool TimecodeField::event(QEvent* event) {
    if (TimecodeEnvironment::mayChangeValues(*event)) {
        updateRow();
    }
    return QWidget::event(event);
}

void TimecodeField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        setFocusedComponent(std::nullopt);
    }
    QWidget::changeEvent(event);
}

} // namespace dovovevozav
