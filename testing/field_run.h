#pragma once

// The records as a field run leaves them: a rhombus of about 1.3 km with a
// few millimetres of error on every measured side, after the computation.
// The side fields of Observations hold the adjusted sides; the measured ones
// survive as the single copies.

#include "records.h"

namespace korvane::testing {

inline Observations fieldObservations()
{
    return {3456789.123, 512345.678, 3457612.890, 513298.456, 615.09693793792928,
            931.32042746928721, 716.08770802788877, 818.39793579825312, 908.0207940446702};
}

inline AdjustmentResult fieldResult()
{
    AdjustmentResult r;
    r.S3 = 1259.5149810831829;
    r.s1 = 615.09344579445769f;
    r.s2 = 931.31614712369287f;
    r.s4 = 716.08443616709246f;
    r.s5 = 818.39331673206766f;
    r.s6 = 908.02544449280776f;
    r.w = -6.90778446f;
    r.K = 1.2186821733243299e-05;
    r.ms = 9.17518044f;
    r.xp1 = 3457402.5328942812;
    r.yp1 = 512391.20320904528;
    r.xp2 = 3456911.3396229609;
    r.yp2 = 513154.89878470032;
    r.B = {0.866836429f, 0.813673913f, 8.54246426f, 8.27636814f, 11.8941984f};
    r.D = {0.921619117f, 0.775548458f, 8.80826473f, 8.08014393f, 11.953002f};
    return r;
}

} // namespace korvane::testing
