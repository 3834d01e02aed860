#pragma once

#include <QLatin1StringView>
#include <array>

// Composite values are stored as records: the item holds a tag, and each field is a sibling item
// named after the item plus a suffix. Deleting a record's item deletes these siblings as well.
namespace IniRecords {

inline constexpr QLatin1StringView kFont("FONT");
inline constexpr QLatin1StringView kForm("FORM");
inline constexpr QLatin1StringView kBounds("BOUNDS");
inline constexpr QLatin1StringView kList("LIST");
inline constexpr QLatin1StringView kPoint("POINT");
inline constexpr QLatin1StringView kRect("RECT");

inline constexpr std::array<QLatin1StringView, 9> kFontFields = {
    QLatin1StringView(".charset"), QLatin1StringView(".color"), QLatin1StringView(".height"),
    QLatin1StringView(".name"),    QLatin1StringView(".pitch"), QLatin1StringView(".b"),
    QLatin1StringView(".i"),       QLatin1StringView(".u"),     QLatin1StringView(".s")};
inline constexpr std::array<QLatin1StringView, 11> kFormFields = {
    QLatin1StringView(".flags"),  QLatin1StringView(".show"),   QLatin1StringView(".mx"),
    QLatin1StringView(".my"),     QLatin1StringView(".left"),   QLatin1StringView(".top"),
    QLatin1StringView(".right"),  QLatin1StringView(".bottom"), QLatin1StringView(".state"),
    QLatin1StringView(".cwidth"), QLatin1StringView(".cheight")};
inline constexpr std::array<QLatin1StringView, 4> kBoundsFields = {
    QLatin1StringView(".left"), QLatin1StringView(".top"), QLatin1StringView(".width"),
    QLatin1StringView(".height")};
inline constexpr std::array<QLatin1StringView, 2> kPointFields = {QLatin1StringView(".x"),
                                                                  QLatin1StringView(".y")};
inline constexpr std::array<QLatin1StringView, 4> kRectFields = {
    QLatin1StringView(".left"), QLatin1StringView(".top"), QLatin1StringView(".right"),
    QLatin1StringView(".bottom")};
inline constexpr QLatin1StringView kListCount(".count");

}  // namespace IniRecords
