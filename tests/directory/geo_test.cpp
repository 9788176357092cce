// SPDX-License-Identifier: GPL-3.0-or-later
// Positions and great-circle distances against published values.
#include <gtest/gtest.h>

#include <numbers>

#include "directory/geo.h"

namespace radioprog {
namespace {

struct DistanceCase {
    const char* what;
    GeoPosition a, b;
    double km;
    double tolerance;
};

TEST(DirectoryGeo, GreatCircleDistances) {
    const DistanceCase cases[] = {
        // A quarter and a half of the sphere's circumference.
        {"equator quarter", {0, 0}, {0, 90}, std::numbers::pi / 2 * 6371.0, 1e-6},
        {"pole to pole", {90, 0}, {-90, 0}, std::numbers::pi * 6371.0, 1e-6},
        // The haversine textbook case, Nashville BNA to Los Angeles LAX: 2887.2600 km on a
        // 6372.8 km sphere, so 2886.4444 km on ours.
        {"BNA-LAX", {36.12, -86.67}, {33.94, -118.40}, 2886.4444, 0.001},
        // London to Paris city centres: 343.5 km as published.
        {"London-Paris", {51.5074, -0.1278}, {48.8566, 2.3522}, 343.5, 0.2},
        {"same place", {51.5, -0.1}, {51.5, -0.1}, 0.0, 1e-9},
        {"across the date line", {0, 179.5}, {0, -179.5}, 6371.0 * std::numbers::pi / 180, 1e-6},
    };
    for (const DistanceCase& c : cases) {
        EXPECT_NEAR(GreatCircleKm(c.a, c.b), c.km, c.tolerance) << c.what;
        EXPECT_NEAR(GreatCircleKm(c.b, c.a), c.km, c.tolerance) << c.what << " (reversed)";
    }
}

TEST(DirectoryGeo, LocatorCentres) {
    struct Case {
        const char* locator;
        double lat, lon;
    };
    const Case cases[] = {
        {"IO91wm", 51.5208333, -0.125},
        {"JN18eu", 48.8541667, 2.375},
        {"IO91", 51.5, -1.0},
        {"io91WM", 51.5208333, -0.125},
        {"FN31pr", 41.7291667, -72.7083333},
        {"AA00aa", -89.9791667, -179.9583333},
        {"RR99xx", 89.9791667, 179.9583333},
        {" JO01 ", 51.5, 1.0},
    };
    for (const Case& c : cases) {
        std::optional<GeoPosition> centre = LocatorCentre(c.locator);
        ASSERT_TRUE(centre) << c.locator;
        EXPECT_NEAR(centre->lat, c.lat, 1e-6) << c.locator;
        EXPECT_NEAR(centre->lon, c.lon, 1e-6) << c.locator;
    }
    for (const char* bad : {"", "IO9", "IO91w", "IZ91", "SS00", "IO91ya", "IO9A", "IO91wm1", "I O91"})
        EXPECT_FALSE(LocatorCentre(bad)) << bad;
    // The two centres are 345.79 km apart on the 6371 km sphere.
    EXPECT_NEAR(GreatCircleKm(*LocatorCentre("IO91wm"), *LocatorCentre("JN18eu")), 345.790, 0.001);
}

TEST(DirectoryGeo, LatLonText) {
    std::optional<GeoPosition> p = ParseLatLon("51.5,-0.12");
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->lat, 51.5);
    EXPECT_DOUBLE_EQ(p->lon, -0.12);
    EXPECT_TRUE(ParseLatLon(" -33.8 , 151.0 "));
    for (const char* bad : {"", "51.5", "91,0", "0,181", "a,b", "51.5,", ",1", "?,?", "1e999,0"})
        EXPECT_FALSE(ParseLatLon(bad)) << bad;
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"51.5", 51.5}, {"-0.125", -0.125}, {"+3", 3}, {".5", 0.5}, {"7.", 7}, {" 12 ", 12}})
        EXPECT_DOUBLE_EQ(ParseDecimal(text).value_or(-999), value) << text;
    for (const char* bad : {"", "-", ".", "1e3", "1,5", "1.2.3", "0x10", "nan", "inf", "5 km"})
        EXPECT_FALSE(ParseDecimal(bad)) << bad;
    EXPECT_FALSE(ParseDegrees("?", 90));
    EXPECT_FALSE(ParseDegrees("", 90));
}

TEST(DirectoryGeo, GridReferences) {
    // The national grid's worked example: TG 51409 13177 is 52°39'27.2531"N 1°43'4.5177"E
    // on OSGB36 (the reference names a 1 m square; its centre is half a metre off).
    std::optional<GeoPosition> p = GridReferencePosition("TG 51409 13177");
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->lat, 52 + 39 / 60.0 + 27.2531 / 3600, 2e-5);
    EXPECT_NEAR(p->lon, 1 + 43 / 60.0 + 4.5177 / 3600, 2e-5);
    // Coarser references name the centre of their square: TQ3080 is 1 km in central London,
    // about 2.5 km from IO91wm's centre.
    std::optional<GeoPosition> london = GridReferencePosition("tq3080");
    ASSERT_TRUE(london);
    EXPECT_NEAR(london->lat, 51.51, 0.01);
    EXPECT_NEAR(london->lon, -0.12, 0.01);
    // "SU" alone is the centre of its 100 km square; "SU123456" lies in it.
    std::optional<GeoPosition> su = GridReferencePosition("SU"), inSu = GridReferencePosition("SU123456");
    ASSERT_TRUE(su && inSu);
    EXPECT_LT(GreatCircleKm(*su, *inSu), 71.0);
    for (const char* bad : {"", "S", "SU1", "SU12345", "ZZ1234", "II1234", "SU12AB", "IO91wm"})
        EXPECT_FALSE(GridReferencePosition(bad)) << bad;
}

}  // namespace
}  // namespace radioprog
