// Change control follows the trace into the generated code: the trace and the
// exchanges below it never reach change control's headers.
#include "interchange/requirementtrace.h"

#include "change/impact.h" // wrong way
