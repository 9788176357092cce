// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Positions on the earth for the repeater directories: Maidenhead locators, "lat,lon" text,
// UK national grid references, and great-circle distances between them.
#include <optional>
#include <string_view>

namespace radioprog {

// Degrees: latitude north positive, longitude east positive.
struct GeoPosition {
    double lat = 0;
    double lon = 0;
};

// The mean earth radius the distances use.
inline constexpr double kEarthRadiusKm = 6371.0;

// Great-circle distance in km by the haversine formula on a sphere of kEarthRadiusKm. Against
// the ellipsoid the error stays below 0.5 %, far below what a repeater's range depends on.
double GreatCircleKm(const GeoPosition& a, const GeoPosition& b);

// The centre of a Maidenhead locator of 4 or 6 characters ("IO91", "IO91wm"; case ignored,
// blanks around it allowed); nullopt for anything else.
std::optional<GeoPosition> LocatorCentre(std::string_view locator);

// "51.5,-0.12" (blanks allowed around the numbers): latitude -90..90, longitude -180..180.
std::optional<GeoPosition> ParseLatLon(std::string_view text);

// A decimal number as directories and command lines write it: an optional sign, digits and
// one point ("51.5", "-0.12", "+3", ".5"; blanks around it allowed); nothing for anything else.
std::optional<double> ParseDecimal(std::string_view text);

// A latitude or longitude field of a directory ("51.123", " -0.5 "); nullopt for empty, "?",
// or anything that is not a number within the limit (90 or 180).
std::optional<double> ParseDegrees(std::string_view text, double limit);

// A UK national grid reference: two letters and an even number of digits, 0 to 10
// ("SU", "TQ3080", "SU123456", "TG 51409 13177"; blanks ignored, case ignored), as the
// centre of the square it names. The grid is OSGB36 on the Airy 1830 ellipsoid; the
// position is the transverse Mercator inverse on that ellipsoid without the datum shift to
// WGS84, so it lies within about 150 m of the GPS position (besides the square's own size).
std::optional<GeoPosition> GridReferencePosition(std::string_view reference);

}  // namespace radioprog
