// Look angles of the geostationary belt from the site, for a spherical Earth
// (radius 6378.14 km) and a circular orbit of radius 42233 km, in single
// precision.
#pragma once

namespace kelvo {

// Azimuth (degrees from north through east) and elevation (degrees) of the
// geostationary satellite at longitude satelliteLongitude (degrees, positive
// west), seen from a site at siteHeight (m), siteLatitude (deg, positive
// north), siteLongitude (deg, positive west). Defined everywhere: at the
// equator the belt runs through the zenith along the east-west line, south of
// it the belt lies about the north point; a satellite in the zenith has
// elevation 90.
void GeostationaryElevation(float satelliteLongitude, double siteHeight, double siteLatitude,
                            double siteLongitude, float& azimuth, float& elevation);

}  // namespace kelvo
