#pragma once

#include "DovovevoZavCore/TimecodeComponents.h"
#include "DovovevoZavCore/TimecodeProperties.h"

namespace dovovevozav::detail {

// The wrapping kernels shared by wrapping arithmetic, the `wrapping` rule of the general
// arithmetic, intervals and transformers. They count both sides at the given properties as
// they stand: callers align frame rates and subframes bases first.

/// Components of (lhs + rhs) wrapped around the span of the properties.
TimecodeComponents wrappingSum(const TimecodeComponents& lhs, const TimecodeComponents& rhs,
                               const TimecodeProperties& properties);

/// Components of (lhs - rhs) wrapped around the span of the properties.
TimecodeComponents wrappingDifference(const TimecodeComponents& lhs, const TimecodeComponents& rhs,
                                      const TimecodeProperties& properties);

/// Components of a scaled subframe count (truncated toward zero) wrapped around the span; a
/// product that is not finite gives zero.
TimecodeComponents wrappingScaled(double product, const TimecodeProperties& properties);

} // namespace dovovevozav::detail
