#include "support/test_process.h"

void prepareTestProcess() {}
