#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sweltra::risk {

// One entry of a factor's list. Its text is also its key: a picked entry is recognised by
// comparing texts exactly.
struct FactorOption {
    std::string_view text;
    std::string_view points; // whole number in decimal digits, or "X"; empty when it carries no points
};

struct RiskFactor {
    std::string_view key; // shared by the factor's controls: cbo_<key>, txt_<key>, lbl_<key>
    std::string_view caption;
    bool scored;
    std::span<const FactorOption> options; // in list order
};

// The twelve factors in display order; both temperature scales are listed, WBGT first.
std::span<const RiskFactor> factors();

// nullptr when no factor has that key.
const RiskFactor *findFactor(std::string_view key);

// The points text of the option whose text equals `optionText` exactly (no trimming, no case
// folding). Nothing for any other text, and nothing for a factor that is not scored.
std::optional<std::string_view> pointsFor(const RiskFactor &factor, std::string_view optionText);

} // namespace sweltra::risk
