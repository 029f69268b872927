#pragma once

namespace varn {

// Words the requirements database stores and other programs read (the
// FSTType column of MASTER_REQ). They are data, never translated.
namespace StoredWords {

inline constexpr char kFunctional[] = "Functional";
inline constexpr char kStructural[] = "Structural";
inline constexpr char kTechnical[] = "Technical";
// A deleted requirement, or a version an edit replaced.
inline constexpr char kDeleted[] = "Deleted";

} // namespace StoredWords

} // namespace varn
