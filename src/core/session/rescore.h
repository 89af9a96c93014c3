#pragma once

namespace mirva {

/// The copy of the log as it was before the last rescoring.
inline constexpr char kRescoreCopyName[] = "mrvtest.rec";
inline constexpr char kRescoreCopyFailed[] =
    "Can't create temporary file for update score procedure";

}  // namespace mirva
