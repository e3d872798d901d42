#include "support/test_process.h"

#include <windows.h>

void prepareTestProcess() {
  // A crashing test must fail, not wait on a dialog nobody will close.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}
