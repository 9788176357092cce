// SPDX-License-Identifier: GPL-3.0-or-later
#include "directory/geo.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace radioprog {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// OSGB36 easting and northing to latitude and longitude on the Airy 1830 ellipsoid
// (transverse Mercator inverse, the national grid's own projection constants).
GeoPosition GridToLatLon(double easting, double northing) {
    const double a = 6377563.396, b = 6356256.909, f0 = 0.9996012717;
    const double lat0 = 49.0 * kDegree, lon0 = -2.0 * kDegree, e0 = 400000.0, n0 = -100000.0;
    const double e2 = 1 - (b * b) / (a * a);
    const double n = (a - b) / (a + b), n2 = n * n, n3 = n2 * n;
    auto meridional = [&](double lat) {
        const double d = lat - lat0, s = lat + lat0;
        return b * f0 *
               ((1 + n + 1.25 * n2 + 1.25 * n3) * d - (3 * n + 3 * n2 + 21.0 / 8 * n3) * std::sin(d) * std::cos(s) +
                (15.0 / 8 * n2 + 15.0 / 8 * n3) * std::sin(2 * d) * std::cos(2 * s) -
                35.0 / 24 * n3 * std::sin(3 * d) * std::cos(3 * s));
    };
    // Converges to 0.01 mm in a few steps anywhere on the grid; the bound only guards the loop.
    double lat = lat0, m = 0;
    for (int step = 0; step < 50; ++step) {
        lat = (northing - n0 - m) / (a * f0) + lat;
        m = meridional(lat);
        if (std::fabs(northing - n0 - m) < 0.00001) break;
    }
    const double sinLat = std::sin(lat), cosLat = std::cos(lat), tanLat = std::tan(lat);
    const double nu = a * f0 / std::sqrt(1 - e2 * sinLat * sinLat);
    const double rho = a * f0 * (1 - e2) / std::pow(1 - e2 * sinLat * sinLat, 1.5);
    const double eta2 = nu / rho - 1;
    const double t2 = tanLat * tanLat, t4 = t2 * t2, t6 = t4 * t2;
    const double secLat = 1 / cosLat;
    const double vii = tanLat / (2 * rho * nu);
    const double viii = tanLat / (24 * rho * nu * nu * nu) * (5 + 3 * t2 + eta2 - 9 * t2 * eta2);
    const double ix = tanLat / (720 * rho * std::pow(nu, 5)) * (61 + 90 * t2 + 45 * t4);
    const double x = secLat / nu;
    const double xi = secLat / (6 * nu * nu * nu) * (nu / rho + 2 * t2);
    const double xii = secLat / (120 * std::pow(nu, 5)) * (5 + 28 * t2 + 24 * t4);
    const double xiia = secLat / (5040 * std::pow(nu, 7)) * (61 + 662 * t2 + 1320 * t4 + 720 * t6);
    const double de = easting - e0, de2 = de * de, de3 = de2 * de, de4 = de2 * de2, de5 = de4 * de, de6 = de3 * de3,
                 de7 = de6 * de;
    const double resultLat = lat - vii * de2 + viii * de4 - ix * de6;
    const double resultLon = lon0 + x * de - xi * de3 + xii * de5 - xiia * de7;
    return {resultLat / kDegree, resultLon / kDegree};
}

}  // namespace

double GreatCircleKm(const GeoPosition& a, const GeoPosition& b) {
    const double dLat = (b.lat - a.lat) * kDegree, dLon = (b.lon - a.lon) * kDegree;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(a.lat * kDegree) * std::cos(b.lat * kDegree) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::sqrt(std::min(1.0, h)));
}

std::optional<GeoPosition> LocatorCentre(std::string_view locator) {
    locator = Trim(locator);
    if (locator.size() != 4 && locator.size() != 6) return std::nullopt;
    const char f1 = Upper(locator[0]), f2 = Upper(locator[1]);
    if (f1 < 'A' || f1 > 'R' || f2 < 'A' || f2 > 'R') return std::nullopt;
    if (locator[2] < '0' || locator[2] > '9' || locator[3] < '0' || locator[3] > '9') return std::nullopt;
    double lon = (f1 - 'A') * 20.0 - 180.0 + (locator[2] - '0') * 2.0;
    double lat = (f2 - 'A') * 10.0 - 90.0 + (locator[3] - '0') * 1.0;
    if (locator.size() == 4) return GeoPosition{lat + 0.5, lon + 1.0};
    const char s1 = Upper(locator[4]), s2 = Upper(locator[5]);
    if (s1 < 'A' || s1 > 'X' || s2 < 'A' || s2 > 'X') return std::nullopt;
    // A subsquare is 5' of longitude by 2.5' of latitude.
    lon += (s1 - 'A') * (5.0 / 60.0) + 2.5 / 60.0;
    lat += (s2 - 'A') * (2.5 / 60.0) + 1.25 / 60.0;
    return GeoPosition{lat, lon};
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits, a point, digits: the numbers directories and command lines write (no exponent,
    // and the point whatever the locale says).
    double value = 0, scale = 1;
    bool digits = false, point = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                value += (c - '0') * scale;
            } else {
                value = value * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ParseDegrees(std::string_view text, double limit) {
    std::optional<double> value = ParseDecimal(text);
    if (!value || std::fabs(*value) > limit) return std::nullopt;
    return value;
}

std::optional<GeoPosition> ParseLatLon(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    std::optional<double> lat = ParseDegrees(text.substr(0, comma), 90);
    std::optional<double> lon = ParseDegrees(text.substr(comma + 1), 180);
    if (!lat || !lon) return std::nullopt;
    return GeoPosition{*lat, *lon};
}

std::optional<GeoPosition> GridReferencePosition(std::string_view reference) {
    std::string compact;
    for (char c : reference)
        if (c != ' ' && c != '\t') compact += Upper(c);
    if (compact.size() < 2 || compact.size() > 12 || compact.size() % 2 != 0) return std::nullopt;
    int l1 = compact[0] - 'A', l2 = compact[1] - 'A';
    // The letters skip I; the first letter of Great Britain's grid is H, N, O, S or T.
    if (l1 < 0 || l1 > 25 || l2 < 0 || l2 > 25 || l1 == 8 || l2 == 8) return std::nullopt;
    if (l1 > 7) --l1;
    if (l2 > 7) --l2;
    const int e100 = ((l1 - 2) % 5) * 5 + l2 % 5;
    const int n100 = (19 - (l1 / 5) * 5) - l2 / 5;
    if (e100 < 0 || e100 > 6 || n100 < 0 || n100 > 12) return std::nullopt;
    const std::string digits = compact.substr(2);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const std::size_t half = digits.size() / 2;
    double size = 100000.0;  // the square's side in metres
    double e = 0, n = 0;
    for (std::size_t i = 0; i < half; ++i) {
        size /= 10;
        e += (digits[i] - '0') * size;
        n += (digits[half + i] - '0') * size;
    }
    return GridToLatLon(e100 * 100000.0 + e + size / 2, n100 * 100000.0 + n + size / 2);
}

}  // namespace radioprog
