#pragma once

// Prepares the test process for unattended runs (no error dialogs on Windows).
void prepareTestProcess();
