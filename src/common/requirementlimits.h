#pragma once

namespace varn {

// The most terms one requirement holds: the letters of its G-code, the cells
// of the Requirement Builder, the fields Field0 to Field27 of FUNC_REQ.
inline constexpr int kMaxTerms = 28;

// The longest text a template's field and a structural template's value hold.
inline constexpr int kLongestField = 50;
// The longest sentence body, comment, technical text and workspace value
// (what a 255-character buffer holds with its terminating zero).
inline constexpr int kLongestText = 254;

} // namespace varn
