#pragma once

#include <cstddef>
#include <string_view>
#include <variant>

namespace sweltra::risk {

struct RiskFactor;

// The temperature scale of the wet bulb globe temperature: the one whose entries carry degrees.
const RiskFactor &wbgtFactor();

// Air temperature in °C and relative humidity in %, as a weather forecast gives them.
struct Weather {
    double airTemperature;
    double humidity;
};

// The Bureau of Meteorology's estimate of the wet bulb globe temperature in °C from the weather
// alone. It assumes fairly strong sun and light wind, so it errs high in cloud, wind and at night.
double estimatedWbgt(const Weather &weather);

// The place in the WBGT list of the entry a WBGT falls in: the entries name whole degrees, so it
// is rounded to the nearest one, halves up.
std::size_t wbgtOptionFor(double wbgt);

struct WbgtEstimate {
    double wbgt;
    std::size_t option; // in the WBGT list
};

// Which input a refusal is about, and why, in a sentence.
struct WeatherRefusal {
    enum class Input { AirTemperature, Humidity } input;
    std::string_view reason;
};

// The estimate and its entry, or the first input outside what the estimate is meant for: air
// temperature from 0 to 50 °C, humidity from 0 to 100%, and both numbers (not NaN or infinite).
std::variant<WbgtEstimate, WeatherRefusal> estimateWbgt(const Weather &weather);

} // namespace sweltra::risk
