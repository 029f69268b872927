#pragma once

namespace varn {

// The most terms one requirement holds: the letters of its G-code, the cells
// of the Requirement Builder, the fields Field0 to Field27 of FUNC_REQ.
inline constexpr int kMaxTerms = 28;

} // namespace varn
