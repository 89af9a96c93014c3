#pragma once

#include <string_view>

namespace mirva {

// Fixed key tables of the contest definitions, in the order their lists hold them.

/// US states.
inline constexpr std::string_view kUsStates[] = {
    "AL", "AK", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
    "ID", "IN", "IL", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY",
};

/// Canadian provinces.
inline constexpr std::string_view kCanadianProvincesA[] = {
    "NB", "NS", "QC", "ON", "MB", "SK", "AB", "BC", "NT", "NF", "LB", "YT", "PE", "NU",
};

/// Canadian provinces, with PEI for Prince Edward Island.
inline constexpr std::string_view kCanadianProvincesB[] = {
    "NB", "NS", "QC", "ON", "MB", "SK", "AB", "BC", "NT", "NF", "LB", "YT", "PEI", "NU",
};

/// Hungarian counties.
inline constexpr std::string_view kHungarianCounties[] = {
    "GY", "VA", "ZA", "KO", "VE", "BA", "SO", "TO", "FE", "BP",
    "HE", "NG", "PE", "SZ", "BE", "BN", "CS", "BO", "HA", "SA",
};

/// Primary prefixes of the European Community countries.
inline constexpr std::string_view kEcCountries[] = {
    "CT", "CU", "DL", "EA", "EA6", "EI",  "F",  "G",  "GD", "GI", "GJ",  "GM",  "GU", "GW", "I",
    "IS", "LX", "OE", "OH", "OH0", "OJ0", "OZ", "PA", "SM", "SV", "SV5", "SV9", "SY", "TK",
};

/// Belgian provinces.
inline constexpr std::string_view kBelgianProvinces[] = {
    "AN", "BW", "HT", "LB", "LG", "NM", "LU", "OV", "VB", "WV", "BR",
};

/// Polish provinces.
inline constexpr std::string_view kPolishProvinces[] = {
    "B", "C", "D", "F", "G", "R", "J", "K", "L", "M", "O", "P", "S", "U", "W", "Z",
};

/// Russian oblasts. Codes retired by mergers stay, so that old logs score as they did; the codes
/// sent today come last, so that every earlier key keeps its place.
inline constexpr std::string_view kRussianOblasts[] = {
    "SP", "LO", "KL", "AR", "NO", "VO", "NV", "PS", "MU", "KA", "MA", "MO", "OR", "LP", "TV",
    "SM", "JA", "KS", "TL", "VR", "TB", "RA", "NN", "IV", "VL", "KU", "KG", "BR", "BO", "VG",
    "SA", "PE", "SR", "UL", "KI", "TA", "MR", "MD", "UD", "CU", "KR", "KC", "ST", "KM", "SO",
    "RO", "CN", "IN", "AO", "DA", "KB", "AD", "UO", "AB", "CB", "SV", "PM", "KP", "TO", "HM",
    "JN", "TN", "OM", "NS", "KN", "OB", "KE", "BA", "KO", "AL", "GA", "KK", "TM", "HK", "EA",
    "SL", "EW", "MG", "AM", "CK", "PK", "BU", "YA", "IR", "CT", "HA", "KJ", "TU", "KT", "AN",
    "FJ", "MV", "YR", "YN", "ZK", "RK", "SE", "DO", "LU",
};

/// French overseas prefixes.
inline constexpr std::string_view kFrenchOverseas[] = {
    "FG", "FH", "FJ", "FK", "FM", "FO", "FP", "FR", "FS", "FT", "FW", "FY", "TO",
};

/// Continents.
inline constexpr std::string_view kContinents[] = {
    "AF", "AS", "EU", "NA", "OC", "SA",
};

}  // namespace mirva
