#include "risk/wbgt.h"

#include "risk/catalogue.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace sweltra::risk {
namespace {

struct Limits {
    double lowest;
    double highest;
    WeatherRefusal::Input input;
    std::string_view notNumber;
    std::string_view outside;
};

constexpr Limits airTemperatureLimits{0, 50, WeatherRefusal::Input::AirTemperature,
                                      "The air temperature must be a number.",
                                      "The air temperature must be from 0 to 50 °C."};
constexpr Limits humidityLimits{0, 100, WeatherRefusal::Input::Humidity, "The humidity must be a number.",
                                "The humidity must be from 0 to 100%."};

std::optional<WeatherRefusal> check(double value, const Limits &limits) {
    if (!std::isfinite(value)) {
        return WeatherRefusal{limits.input, limits.notNumber};
    }
    if (value < limits.lowest || value > limits.highest) {
        return WeatherRefusal{limits.input, limits.outside};
    }
    return std::nullopt;
}

} // namespace

const RiskFactor &wbgtFactor() {
    static const RiskFactor &found =
        *std::find_if(factors().begin(), factors().end(), [](const RiskFactor &f) {
            return f.role == Role::TemperatureScale && f.options.front().degrees.has_value();
        });
    return found;
}

double estimatedWbgt(const Weather &weather) {
    const double t = weather.airTemperature;
    // Vapour pressure in hPa.
    const double vapour = weather.humidity / 100 * 6.105 * std::exp(17.27 * t / (237.7 + t));
    return 0.567 * t + 0.393 * vapour + 3.94;
}

std::size_t wbgtOptionFor(double wbgt) {
    const double degrees = std::floor(wbgt + 0.5);
    const auto options = wbgtFactor().options;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const DegreeRange range = options[i].degrees.value_or(DegreeRange{});
        if ((!range.lowest || degrees >= *range.lowest) && (!range.highest || degrees <= *range.highest)) {
            return i;
        }
    }
    return options.size() - 1;
}

std::variant<WbgtEstimate, WeatherRefusal> estimateWbgt(const Weather &weather) {
    for (const auto &[value, limits] : {std::pair{weather.airTemperature, airTemperatureLimits},
                                        std::pair{weather.humidity, humidityLimits}}) {
        if (const std::optional<WeatherRefusal> refusal = check(value, limits)) {
            return *refusal;
        }
    }
    const double wbgt = estimatedWbgt(weather);
    return WbgtEstimate{wbgt, wbgtOptionFor(wbgt)};
}

} // namespace sweltra::risk
