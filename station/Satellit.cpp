#include "Satellit.h"

#include <cmath>

#include "EphemerisConstants.h"

namespace kelvo {

void GeostationaryElevation(float s, double siteHeight, double siteLatitude, double siteLongitude,
                            float& azimuth, float& elevation) {
    using C = EphemerisConstants;
    // Each named quantity is rounded to single precision as it is formed; the
    // functions are evaluated in double on the widened values.
    const float r = static_cast<float>(0.001 * siteHeight + C::EarthRadius);
    const float phi = static_cast<float>(siteLatitude * C::DegToRad);
    const float dl = static_cast<float>(static_cast<double>(s) - siteLongitude);
    const float dlr = static_cast<float>(dl * C::DegToRad);

    // Azimuth from the south point, positive toward west. The classic form
    // atan(tan dl / sin phi) holds for a northern site and a satellite within
    // 90 deg of its meridian; elsewhere (the equator, southern sites, the far
    // side) the two-argument form gives the true direction.
    const double sinPhi = std::sin(static_cast<double>(phi));
    const double cosDl = std::cos(static_cast<double>(dlr));
    float A;
    if (sinPhi > 0.0 && cosDl > 0.0)
        A = static_cast<float>(std::atan(std::tan(static_cast<double>(dlr)) / sinPhi));
    else
        A = static_cast<float>(std::atan2(std::sin(static_cast<double>(dlr)), sinPhi * cosDl));
    const float Ad = static_cast<float>(A * C::RadToDeg);

    // Slant range D (km) by the law of cosines between the site's distance
    // from the centre r and the orbit's radius 42233 km: 1783626289 =
    // 42233^2 and 84466 = 2 x 42233.
    const double rd = r;
    const float D = static_cast<float>(
        std::sqrt(rd * rd + 1783626289.0 - static_cast<double>(84466.0f) * rd * cosDl *
                                               std::cos(static_cast<double>(phi))));
    // Sine of the elevation: (42233 cos phi cos dl - r) / D.
    const float q = static_cast<float>(
        (std::cos(static_cast<double>(phi)) * static_cast<double>(42233.0f) * cosDl - rd) / D);
    const double qq = static_cast<double>(q) * q;
    float E;
    if (qq < 1.0)
        E = static_cast<float>(std::atan(q / std::sqrt(1.0 - qq)));
    else
        E = static_cast<float>(q > 0 ? C::Pi / 2 : -C::Pi / 2);  // in the zenith (or nadir)
    const float Ed = static_cast<float>(E * C::RadToDeg);
    azimuth = static_cast<float>(180.0 + Ad);
    elevation = Ed;
}

}  // namespace kelvo
