// The one process-wide error record.
#include "platform/Failure.h"

ErrorRecord& Err() {
  static ErrorRecord record;
  return record;
}
