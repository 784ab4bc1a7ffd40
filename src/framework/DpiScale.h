// Sizes for a display's DPI: a length given for 96 dpi (100 %) at another DPI, and
// which of the drawn picture sets (100 %, 150 %, 200 %) a DPI takes its pictures
// from.  Between two sets the larger one is scaled down, so nothing is stretched
// up and blurred.
#pragma once

namespace plover {

constexpr int kBaseDpi = 96;

// value x dpi / 96, rounded half away from zero as the platform's MulDiv does.
constexpr int ScaleToDpi(int value, int dpi)
{
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                         : -((-product + half) / kBaseDpi));
}

// 0 for 100 % and below, 1 up to 150 %, 2 beyond.
constexpr int AssetSetForDpi(int dpi)
{
    return dpi <= kBaseDpi ? 0 : dpi <= kBaseDpi * 3 / 2 ? 1 : 2;
}

// The id of resource `id` (a 100 % picture or cursor) in set `set`, when the
// program numbers each set `setStep` above the one before.
constexpr int ScaledResourceId(int id, int set, int setStep)
{
    return id + set * setStep;
}

}  // namespace plover
