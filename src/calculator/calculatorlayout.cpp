#include "calculator/calculatorlayout.h"

namespace sweltra::calculator {
namespace {

using K = ControlKind;

constexpr DesignFont bold{8.25, true};
constexpr DesignFont regular{8.25, false};
constexpr DesignFont buttonFont{9.75, true};
constexpr DesignFont documentFont{0, false};

constexpr std::string_view pickTip = "Click the down arrow, then click best match.";
constexpr std::string_view dstTip = "DST = \"Daylight Saving Time\"";

// clang-format off
constexpr ControlRow rows[] = {
    // name                     kind          text                       left   top  width height tab  font        tool tip
    {"lbl_WBGT",               K::Label,     "",                         200,  525, 2775, 375,  -1, bold,       "Click on the down arrow to view choices."},
    {"cbo_WBGT",               K::List,      "",                        3000,  480, 1095, 315,  14, bold,       pickTip},
    {"txt_WBGT",               K::PointsBox, "",                        4080,  480,  375, 315,  15, bold,       ""},
    {"lbl_Or",                 K::Label,     "- OR -",                   480,  765,  615, 172,  -1, regular,    "", true},
    {"lbl_Dry_Bulb",           K::Label,     "",                         415,  988, 2535, 255,  -1, bold,       "Click on the * button at the bottom of page for explanation."},
    {"cbo_Dry_Bulb",           K::List,      "",                        3000,  894, 1095, 315,  43, bold,       pickTip},
    {"txt_Dry_Bulb",           K::PointsBox, "",                        4080,  894,  375, 315,  44, bold,       ""},
    {"lbl_Duration",           K::Label,     "",                         195, 1440, 2895, 255,  -1, bold,       ""},
    {"cbo_Duration",           K::List,      "",                        2880, 1410, 1215, 315,  17, bold,       ""},
    {"txt_Duration",           K::PointsBox, "",                        4080, 1410,  375, 315,  18, bold,       ""},
    {"lbl_Intensity",          K::Label,     "",                         195, 1800, 3735, 375,  -1, bold,       ""},
    {"cbo_Intensity",          K::List,      "",                         720, 2040, 3375, 315,  20, bold,       ""},
    {"txt_Intensity",          K::PointsBox, "",                        4080, 2040,  375, 315,  19, bold,       ""},
    {"lbl_Acclimatization",    K::Label,     "",                         195, 2520, 3015, 375,  -1, bold,       ""},
    {"cbo_Acclimatization",    K::List,      "",                         720, 2760, 3375, 315,  22, bold,       ""},
    {"txt_Acclimatization",    K::PointsBox, "",                        4080, 2760,  375, 315,  21, bold,       ""},
    {"lbl_Ability",            K::Label,     "",                         195, 3240, 3735, 255,  -1, bold,       ""},
    {"cbo_Ability",            K::List,      "",                         720, 3480, 3375, 315,  24, bold,       ""},
    {"txt_Ability",            K::PointsBox, "",                        4080, 3480,  375, 315,  23, bold,       ""},
    {"lbl_Age",                K::Label,     "",                        4875,  270, 1935, 255,  -1, bold,       ""},
    {"cbo_Age",                K::List,      "",                        6960,  240, 1815, 315,  25, bold,       ""},
    {"txt_Age",                K::PointsBox, "",                        8760,  240,  375, 315,  26, bold,       ""},
    {"lbl_Drinks",             K::Label,     "",                        4875,  750, 2655, 255,  -1, bold,       ""},
    {"cbo_Drinks",             K::List,      "",                        7440,  720, 1335, 315,  28, bold,       ""},
    {"txt_Drinks",             K::PointsBox, "",                        8760,  720,  375, 315,  27, bold,       ""},
    {"lbl_Time",               K::Label,     "",                        4875, 1230, 2055, 255,  -1, bold,       dstTip},
    {"cbo_Time",               K::List,      "",                        6960, 1200, 1815, 315,  29, bold,       dstTip},
    {"txt_Time",               K::PointsBox, "",                        8760, 1200,  375, 315,   3, bold,       ""},
    {"lbl_Surface",            K::Label,     "",                        4875, 1710, 1575, 255,  -1, bold,       ""},
    {"cbo_Surface",            K::List,      "",                        6360, 1680, 2415, 315,  32, bold,       ""},
    {"txt_Surface",            K::PointsBox, "",                        8760, 1680,  375, 315,  33, bold,       ""},
    {"lbl_Venue",              K::Label,     "",                        4875, 2162,  975, 255,  -1, bold,       ""},
    {"cbo_Venue",              K::List,      "",                        5880, 2162, 2895, 315,  39, bold,       ""},
    {"txt_Venue",              K::PointsBox, "",                        8760, 2162,  375, 315,  40, bold,       ""},
    {"lbl_Medical",            K::Label,     "",                        4875, 2580, 4215, 255,  -1, bold,       "Click on the * button at the bottom of this page for details."},
    {"cbo_Medical",            K::List,      "",                        5160, 2808, 3615, 315,  34, bold,       ""},
    {"txt_Medical",            K::PointsBox, "",                        8760, 2808,  375, 315,  35, bold,       ""},
    {"lbl_Other",              K::Label,     "",                        4875, 3240, 4335, 255,  -1, bold,       ""},
    {"cbo_Other",              K::List,      "",                        5160, 3480, 3975, 315,  36, bold,       ""},
    {"lbl_Risk_Points",        K::Label,     "Risk Points",             3840,  240,  975, 255,  -1, regular,    ""},
    {"Shape1",                 K::Rectangle, "",                         120,  120, 9135, 3855,  -1, bold,       ""},
    {"txtGuidelines",          K::RichText,  "",                         120, 4080, 9135, 1215,  37, documentFont, ""},
    {"cmd_Back_to_Directory",  K::Button,    "Exit Calculator",          120, 5456, 1815, 375,   0, buttonFont, ""},
    {"cmd_asterisk",           K::Button,    "*",                       2040, 5456,  495, 375,  46, {18, true}, ""},
    {"cmd_Reset",              K::Button,    "Reset",                   2640, 5456,  855, 375,   1, buttonFont, ""},
    {"cmd_SMA_Guidelines",     K::Button,    "View Full SMA Guidelines", 3600, 5456, 3015, 375,  10, buttonFont, ""},
    {"cmd_Calculate",          K::Button,    "Calculate Total:",        6720, 5456, 1815, 375,   2, buttonFont, ""},
    {"txt_Total",              K::TotalBox,  "",                        8520, 5456,  735, 375,  38, {12, true}, ""},
};
// clang-format on

} // namespace

std::span<const ControlRow> calculatorLayout() {
    return rows;
}

} // namespace sweltra::calculator
