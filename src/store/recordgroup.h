#pragma once

namespace varn::store {

// The groups in which the long-lived record sets are opened and closed: the
// sets a functional or a structural save writes through.
enum class RecordGroup { Functional, Structural };

} // namespace varn::store
