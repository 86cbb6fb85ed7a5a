#pragma once
// Both speed sources report knots; the program keeps km/h.

inline constexpr double KmhPerKnot = 1.852;
