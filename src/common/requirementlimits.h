#pragma once

namespace varn {

// The most terms one requirement holds: the letters of its G-code, the cells
// of the Requirement Builder, the fields Field0 to Field27 of FUNC_REQ.
inline constexpr int kMaxTerms = 28;

// The longest text a template's field, a structural template's value and a
// stored attribute (source, category, priority, release, paragraph) hold.
inline constexpr int kLongestField = 50;
// The longest sentence body, comment, technical text and workspace value.
inline constexpr int kLongestText = 254;

} // namespace varn
