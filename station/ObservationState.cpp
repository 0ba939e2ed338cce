#include "ObservationState.h"

namespace kelvo {

EphemerisRequest RequestFor(const ObservationState& s) {
    return {s.SiteLongitude, s.SiteLatitude, static_cast<double>(s.TimeZoneCode), s.SiteHeight,
            s.Kind, s.PlanetNumber, &s.Terms};
}

}  // namespace kelvo
